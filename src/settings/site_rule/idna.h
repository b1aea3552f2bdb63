// International domain names as the URL standard reads them: UTS #46's
// mapping and its ToASCII, with the standard's settings (non-transitional,
// no STD3 rules, no hyphen or DNS length checks). Platform-free; the
// mapping is Unicode's table as Debian ships it (host_tables.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stilvane {

// A domain's ASCII form: each code point mapped (letters to lower case,
// full-width forms to ASCII, "ſ" to "s", the ignored ones dropped), the
// labels split at "." (the other full stops map to it), each label with
// other than ASCII as "xn--" and its Punycode, and an "xn--" label kept as
// written once it decodes to a valid label. nullopt for a disallowed code
// point, a joiner, an "xn--" label that is no valid Punycode or decodes to
// no valid label, or an empty result.
std::optional<std::string> DomainToAscii(std::u32string_view domain);

} // namespace stilvane
