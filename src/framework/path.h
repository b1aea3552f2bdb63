// Paths as the program forms them: the directory of a file and a file in a
// directory, on backslash-separated ANSI paths. Kept free of Windows headers
// so that it is tested natively too.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace stilvane {

// The directory part of a full executable path without its trailing
// backslash: "C:\Programme\Blocker\app.exe" gives "C:\Programme\Blocker",
// "C:\app.exe" gives "C:". A path without a backslash gives empty text.
std::string DirectoryOfPath(const std::string& path);

// directory + "\" + name: how every program file is addressed.
std::string FileInDirectory(const std::string& directory, const std::string& name);

// Fetches a text from a call that fills a buffer of a given size and returns
// the number of characters written (the size itself when the text was cut,
// 0 on failure), growing the buffer until the whole text fits.
std::string ReadWholeText(std::size_t initialSize,
                          const std::function<std::size_t(char*, std::size_t)>& fill);

} // namespace stilvane
