// The texts that name a blocked site, fitted to where they go. Platform-free.
#pragma once

#include <cstddef>
#include <string>

namespace stilvane {

// `site` at most `longest` characters long: a longer one loses its middle
// to "...", its end keeping the registrable domain whole where it fits
// ("paypal.com.login-...attacker.example"), so that a long name cannot hide
// whose it is.
std::string ShortSite(const std::string& site, std::size_t longest);

// `pattern` with "%1" the site, at most `longest` bytes: a site too long
// for it is shortened as by ShortSite, the rest of the text stays whole. (A
// site is ASCII, so the cut never splits a character.)
std::string FittedSiteText(const std::string& pattern, const std::string& site,
                           std::size_t longest);

} // namespace stilvane
