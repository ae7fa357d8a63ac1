#include "config/language.h"

#include "config/line_reader.h"
#include "platform/paths.h"
#include "platform/ui_language.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/stop.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/editor_text.h"
#include "text/key_value.h"

#include <cstdio>
#include <string>

namespace kalveo {

namespace {

constexpr std::size_t kLanguageLineLength = 256;
constexpr std::size_t kKeyLength = 10;
constexpr std::size_t kCodeLength = 10;
constexpr std::string_view kEnglish = "EN";

// Message keys by number, in catalogue order.
constexpr std::array<std::string_view, kMessageCount + 1> kMessageKeys{
    "",           "MsgNewInst", "MsgNewPath", "MsgVerNum1", "MsgVerNum2", "MsgVerNum3",
    "MsgEditEnd", "MsgFPLNFnd", "MsgDisAuto", "MsgGldrNam", "MsfGldNFnd", "MsgSndIntv",
    "MsgPltFldr", "MsgIniFMod", "MsgDiUDP12", "MsgDiffUDP", "MsgUDPNAct", "MsgExitCnf",
    "MsgCndrStp", "MsgFilNFnd", "MsgRdError", "MsgKeyMapp", "MsgKeyNoSu", "MsgNoInstF",
    "MsgFileUpd", "MsgKeyDefi", "MsgUDPEnab", "MsgExtData", "MsgNewDat1", "MsgNewDat2",
    "MsgNewProg"};

constexpr std::array<std::string MessagesRecord::*, kMessageCount + 1> kMessageFields{
    nullptr,
    &MessagesRecord::msgnewinst,
    &MessagesRecord::msgnewpath,
    &MessagesRecord::msgvernum1,
    &MessagesRecord::msgvernum2,
    &MessagesRecord::msgvernum3,
    &MessagesRecord::msgeditend,
    &MessagesRecord::msgfplnfnd,
    &MessagesRecord::msgdisauto,
    &MessagesRecord::msggldrnam,
    &MessagesRecord::msfgldnfnd,
    &MessagesRecord::msgsndintv,
    &MessagesRecord::msgpltfldr,
    &MessagesRecord::msginifmod,
    &MessagesRecord::msgdiudp12,
    &MessagesRecord::msgdiffudp,
    &MessagesRecord::msgudpnact,
    &MessagesRecord::msgexitcnf,
    &MessagesRecord::msgcndrstp,
    &MessagesRecord::msgfilnfnd,
    &MessagesRecord::msgrderror,
    &MessagesRecord::msgkeymapp,
    &MessagesRecord::msgkeynosu,
    &MessagesRecord::msgnoinstf,
    &MessagesRecord::msgfileupd,
    &MessagesRecord::msgkeydefi,
    &MessagesRecord::msgudpenab,
    &MessagesRecord::msgextdata,
    &MessagesRecord::msgnewdat1,
    &MessagesRecord::msgnewdat2,
    &MessagesRecord::msgnewprog};

// A cut never splits a multi-byte character, so boxes get valid UTF-8.
std::string cut_to_characters(std::string text, std::size_t length) {
    if (text.size() <= length) return text;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0u) == 0x80u)
        --length;
    text.resize(length);
    return text;
}

void show(int status, const std::string& text) {
    error_message_tit(status, kDefaultBoxTitle, text);
}

void report_missing_messages(const std::string& file, int count, const MessageMarks& items) {
    log_message_f("Messages read : " + std::to_string(count) + " of " +
                  std::to_string(kMessageCount));
    std::string marks;
    for (int n = 1; n <= kMessageCount; ++n)
        marks += std::to_string(items[n]) + " ";
    log_message_f(std::string(trim_right(marks)));
    for (int n = 1; n <= kMessageCount; ++n)
        if (items[n] == 0) log_message_f("Message: " + std::to_string(n) + " Not read in file");
    show(kBoxError, file + "/Truncated");
}

// Whether the code is listed; a list that cannot be read is reported and lists nothing.
bool listed_in_language_list(std::string_view lang) {
    const std::string list(kLanguageList);
    const FileBytes contents = read_whole_file(native_path(list));
    if (!contents.opened) {
        show(kBoxWarning, list + "/ File not found");
        return false;
    }
    if (!contents.complete) show(kBoxWarning, list + "/Error while reading file");
    return language_listed(contents.bytes, lang);
}

} // namespace

std::string_view message_key(int number) {
    return kMessageKeys.at(static_cast<std::size_t>(number));
}

std::string& message_text(MessagesRecord& record, int number) {
    return record.*kMessageFields.at(static_cast<std::size_t>(number));
}

void my_namelist_messages(MessagesRecord& texts, std::string_view key, std::string_view text,
                          int& nread, MessageMarks& items) {
    for (int n = 1; n <= kMessageCount; ++n) {
        if (kMessageKeys[static_cast<std::size_t>(n)] != key) continue;
        message_text(texts, n) = std::string(text);
        items[static_cast<std::size_t>(n)] = 1;
        nread += 1;
        return;
    }
}

std::string message_from_value(std::string_view value) {
    if (!value.empty() && value.front() == '"') value.remove_prefix(1);
    value = trim_right(value);
    if (!value.empty() && value.back() == '"') value.remove_suffix(1);
    std::string text(value);
    for (char& c : text)
        if (c == '/') c = '\n';
    return cut_to_characters(std::move(text), kMessageLength);
}

int parse_language_text(MessagesRecord& texts, std::string_view bytes, MessageMarks& items) {
    const EditorText text = editor_text(bytes);
    if (!text.how.empty()) log_verbatim("Language file: " + text.how);
    int nread = 0;
    int number = 0;
    for_each_line(text.text, [&](std::string_view line) {
        ++number;
        line = line.substr(0, kLanguageLineLength);
        if (is_blank_text(line) || line.front() == '#') return;
        const KeyValue kv = extract_key_val(line, kKeyLength, kLanguageLineLength);
        const int before = nread;
        const std::string message = message_from_value(kv.val);
        if (!kv.val.empty()) my_namelist_messages(texts, kv.key, message, nread, items);
        if (nread == before) {
            log_verbatim("*** Language file line " + std::to_string(number) +
                         " not understood : " + std::string(line));
            return;
        }
        if (debug_mode())
            trace("%2d %-10s %3d %s\n", nread, kv.key.c_str(), static_cast<int>(message.size()),
                  message.c_str());
    });
    return nread;
}

bool IsLanguageFrench() {
    return ui_language_code() == "fr";
}

bool language_listed(std::string_view list_bytes, std::string_view lang) {
    const std::string_view wanted = trim_right(lang.substr(0, kCodeLength));
    const std::string list_text = editor_text(list_bytes).text;
    bool found = false;
    for_each_line(list_text, [&](std::string_view line) {
        if (found || (!line.empty() && line.front() == '#')) return;
        found = trim_right(line.substr(0, kCodeLength)) == wanted;
    });
    return found;
}

std::string language_file_name(std::string_view lang) {
    return "Lang\\Kalveo_Lang_" + std::string(trim(lang)) + ".txt";
}

LanguageTexts rd_lang(std::string_view code) {
    LanguageTexts language{std::string(code), {}};
    std::string& lang = language.code;
    MessageMarks items{};
    // No code chosen (and no French desktop): English, without a warning.
    if (trim(lang).empty()) lang = kEnglish;

    std::string file;
    if (listed_in_language_list(lang)) {
        file = language_file_name(lang);
    } else {
        show(kBoxWarning,
             "Language: " + std::string(trim(lang)) + " not found in list/English will be used");
        file = language_file_name(kEnglish);
    }

    std::string failed;
    FileBytes contents;
    for (;;) {
        trace("%s\n", file.c_str());
        contents = read_whole_file(native_path(file));
        if (debug_mode()) log_message_f("OPEN " + std::to_string(contents.opened ? 0 : 1));
        if (contents.opened) break;
        if (trim(lang) == kEnglish) {
            show(kBoxError, "No language file found/Check installation");
            stop_program("No language file found/Check installation");
        }
        failed = file;
        lang = kEnglish;
        file = language_file_name(kEnglish);
    }
    if (!failed.empty()) show(kBoxWarning, failed + "/File not found/English will be used ");

    const int count = parse_language_text(language.texts, contents.bytes, items);
    if (!contents.complete) show(kBoxError, file + "/Read Error");
    // Every message must have come from the file; a key given twice is no substitute.
    for (int n = 1; n <= kMessageCount; ++n) {
        if (items[static_cast<std::size_t>(n)] == 0) {
            report_missing_messages(file, count, items);
            return language;
        }
    }
    return language;
}

} // namespace kalveo
