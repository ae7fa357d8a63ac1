// Leaks the sanitizer build must not blame on us: fontconfig keeps 288 bytes from FcInit
// that nothing frees (a bare FcInit() program shows the same).
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
