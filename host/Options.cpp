#include "host/Options.h"

#include <cstdlib>
#include <stdexcept>

namespace Host {

Options ParseOptions(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc;) {
        if (ParseStep(argc, argv, i, o.steps)) continue;
        const std::string key = argv[i];
        if (i + 1 >= argc) throw std::invalid_argument("unknown option " + key);
        const char* value = argv[i + 1];
        if (key == "--tip") o.tip = std::atoi(value);
        else if (key == "--language") o.language = std::atoi(value) == 1 ? 1 : 0;
        else if (key == "--ostype") o.osType = std::atoi(value);
        else if (key == "--report") o.report = value;
        else throw std::invalid_argument("unknown option " + key);
        i += 2;
    }
    return o;
}

} // namespace Host
