#include <string>
#include <vector>

#include "shell/startup.h"

int main(int argc, char** argv) {
    return kalveo::kalveo(std::vector<std::string>(argv, argv + argc));
}
