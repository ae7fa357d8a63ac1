#include "shell/startup.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return kalveo::kalveo(std::vector<std::string>(argv, argv + argc));
}
