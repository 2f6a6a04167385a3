// Build step (native): refuses a built module whose English and Japanese
// resources differ in dialog templates, controls or strings.
//
//   check_resource_languages PATH/ZeltRasUI.dll PATH/resource.h
//
// Prints each difference, naming ids as the resource header does, and exits
// 1; exits 0 when the languages agree.
#include <fstream>
#include <iostream>

#include "resource_languages.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: check_resource_languages PATH/ZeltRasUI.dll PATH/resource.h\n";
        return 2;
    }
    std::ifstream header(argv[2]);
    if (!header) {
        std::cerr << "error: cannot read " << argv[2] << "\n";
        return 1;
    }
    const zelt::resources::ResourceNames names = zelt::resources::ReadResourceNames(header);
    zelt::resources::ModuleResources module;
    std::string error;
    if (!module.Load(argv[1], error)) {
        std::cerr << "error: " << error << "\n";
        return 1;
    }
    const std::vector<std::string> faults = zelt::resources::LanguageFaults(module, names);
    if (faults.empty()) return 0;
    std::cerr << "error: the English and Japanese resources of " << argv[1] << " differ:\n";
    for (const std::string& fault : faults) std::cerr << "  " << fault << "\n";
    return 1;
}
