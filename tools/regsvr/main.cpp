// corvane-regsvr: registers a COM server library in the registry of this
// machine (the file named by CORVANE_REGISTRY or the user's default) and
// enters its classes in the map host's command category, or undoes both.
//
//   corvane-regsvr [--registry FILE] LIBRARY        register and install
//   corvane-regsvr [--registry FILE] /u LIBRARY     uninstall and unregister
//   corvane-regsvr --version LIBRARY                the library's version information
#include "Installer.h"
#include "com/Registry.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::cerr << "usage: corvane-regsvr [--registry FILE] [/u | --unregister] LIBRARY\n"
                 "       corvane-regsvr --version LIBRARY\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    bool unregister = false;
    bool version = false;
    std::string library;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "/u" || a == "-u" || a == "--unregister")
            unregister = true;
        else if (a == "--version")
            version = true;
        else if (a == "--registry" && i + 1 < args.size()) {
            // The library reads the same variable when it registers itself.
            setenv("CORVANE_REGISTRY", args[++i].c_str(), 1);
        } else if (!a.empty() && a[0] != '-' && library.empty())
            library = a;
        else
            return usage();
    }
    if (library.empty()) return usage();
    try {
        if (version) {
            std::cout << corvane::regsvr::versionInformation(library);
            return 0;
        }
        const std::string registry = corvane::com::Registry::defaultPath();
        if (unregister) {
            corvane::regsvr::uninstallServer(library, registry);
            std::cout << "Unregistered " << library << " from " << registry << '\n';
        } else {
            for (const std::string& clsid : corvane::regsvr::installServer(library, registry))
                std::cout << "Registered " << clsid << " in " << registry << '\n';
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "corvane-regsvr: " << e.what() << '\n';
        return 1;
    }
}
