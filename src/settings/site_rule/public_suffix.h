// The public suffixes, under which anyone may register a name ("com",
// "co.uk", "github.io"), by the Public Suffix List as Debian ships it
// (host_tables.h). Platform-free; names in their ASCII form, lower case.
#pragma once

#include <string_view>

namespace stilvane {

// Whether `host` is a public suffix: a rule of the list names it (wildcards
// and exceptions as the list means them), or it is the top-level label of
// one. A single label the list does not know ("intranet") is none: such a
// name is a site of its own network.
bool IsPublicSuffix(std::string_view host);

// The end of `host` that names who registered it: its public suffix with
// one more label ("example.co.uk" for "shop.example.co.uk"); the whole host
// when it has no more labels; the last label counts as the suffix when the
// list knows no rule for it.
std::string_view RegistrableDomain(std::string_view host);

} // namespace stilvane
