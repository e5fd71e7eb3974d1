#pragma once

#include <string>
#include <vector>

namespace xqcomm::sysfs {

// Names in a directory, without "." and "..".
std::vector<std::string> entries(const std::string& directory);
// The file's text, or its bytes, up to maxLength; empty when unreadable.
std::string read(const std::string& file, std::size_t maxLength = 4096);
// The file's text without trailing white space.
std::string readTrimmed(const std::string& file);
// The canonical path, empty when it does not resolve.
std::string resolve(const std::string& path);
// Compares with runs of digits taken as numbers, so "1-2" sorts before "1-10".
bool naturalLess(const std::string& a, const std::string& b);

} // namespace xqcomm::sysfs
