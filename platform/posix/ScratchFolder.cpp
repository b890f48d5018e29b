#include "posix/ScratchFolder.h"

#include <fstream>
#include <sstream>
#include <stdlib.h> // mkdtemp
#include <system_error>

namespace corvane::posix {

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "cannot make a scratch folder");
    m_path = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::filesystem::path ScratchFolder::makeFolder(const std::filesystem::path& relative) const
{
    const auto folder = m_path / relative;
    std::filesystem::create_directories(folder);
    return folder;
}

void ScratchFolder::writeFile(const std::filesystem::path& relative, const std::string& bytes) const
{
    std::ofstream out(m_path / relative, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ScratchFolder::readFile(const std::filesystem::path& relative) const
{
    std::ifstream in(m_path / relative, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace corvane::posix
