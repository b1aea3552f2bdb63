// The texts that name a blocked site, fitted to where they go. Platform-free.
#pragma once

#include <cstddef>
#include <string>

namespace stilvane {

// `pattern` with "%1" the site, at most `longest` bytes: a site too long
// for it loses its middle to "...", the rest of the text stays whole. (A
// site is ASCII, so the cut never splits a character.)
std::string FittedSiteText(const std::string& pattern, const std::string& site,
                           std::size_t longest);

} // namespace stilvane
