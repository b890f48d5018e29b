// Any bytes as the configuration file: the reader must give a count and
// items without crashing, hanging or reading past the data, and a value
// quoted by the writer must read back unchanged.

#include "config/ConfigItems.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using corvane::config::ItemReader;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ItemReader reader(bytes);
    std::size_t count = 0;
    std::size_t itemBytes = 0;
    while (!reader.atEnd()) {
        const std::size_t before = reader.position();
        const std::string item = reader.next();
        ++count;
        itemBytes += item.size();
        // Every item but one after a final comma moves forward: at most size + 1 items.
        if (count > size + 1 || reader.position() < before || reader.position() > size) __builtin_trap();
    }
    if (itemBytes > size || count != corvane::config::countItems(bytes)) __builtin_trap();
    // The count of a file read in pieces: split where the first byte says.
    corvane::config::ItemCounter counter;
    const std::size_t split = size > 0 ? static_cast<unsigned char>(bytes[0]) % size : 0;
    counter.feed(bytes.substr(0, split));
    counter.feed(bytes.substr(split));
    if (counter.finish() != count) __builtin_trap();

    const std::string line = corvane::config::quoteItem(bytes) + "\r\n";
    ItemReader written(line);
    if (written.next() != bytes || !written.atEnd()) __builtin_trap();
    return 0;
}
