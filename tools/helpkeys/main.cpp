// Writes the help pages with their key tables and menus filled in from the
// editor's own tables: «qzhelpkeys <source folder> <output folder> page...».
#include <fstream>
#include <iostream>
#include <sstream>
#include <cstdio>
#include <string>

#include "frame/help_keys.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: qzhelpkeys <source folder> <output folder> page...\n";
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        const std::string from = std::string(argv[1]) + "/" + argv[i];
        const std::string to = std::string(argv[2]) + "/" + argv[i];
        std::ifstream in(from, std::ios::binary);
        if (!in) {
            std::cerr << "qzhelpkeys: cannot read " << from << "\n";
            return 1;
        }
        std::ostringstream page;
        page << in.rdbuf();
        // Through a temporary name, so that a browser never sees half a page.
        const std::string temporary = to + ".new";
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << qz::ExpandHelpPage(page.str());
        out.close();
        if (!out || std::rename(temporary.c_str(), to.c_str()) != 0) {
            std::cerr << "qzhelpkeys: cannot write " << to << "\n";
            return 1;
        }
    }
    return 0;
}
