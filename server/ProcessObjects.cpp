// The one process-wide table of published host services (see com/ProcessObjects.h).
#include "com/ProcessObjects.h"

#include <map>
#include <string>

namespace {

std::map<std::string, void*>& table()
{
    static std::map<std::string, void*> objects;
    return objects;
}

} // namespace

extern "C" void CorvanePublishProcessObject(const char* name, void* object)
{
    if (name == nullptr) return;
    try {
        if (object == nullptr)
            table().erase(name);
        else
            table()[name] = object;
    } catch (...) {
        // Out of memory: the entry stays unpublished, and the server then
        // reports the missing service at its first use.
    }
}

extern "C" void* CorvaneProcessObject(const char* name)
{
    if (name == nullptr) return nullptr;
    try {
        const auto it = table().find(name);
        return it == table().end() ? nullptr : it->second;
    } catch (...) {
        return nullptr;
    }
}
