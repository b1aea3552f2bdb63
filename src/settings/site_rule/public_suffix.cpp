#include "settings/site_rule/public_suffix.h"

#include "framework/portable/inflate.h"
#include "settings/site_rule/host_tables.h"

#include <algorithm>
#include <string>
#include <vector>

namespace stilvane {

namespace {

// The rules with their labels reversed ("uk.co", "ck.*", "!ck.www"), sorted.
std::vector<std::string> Unpacked() {
    const std::string data =
        Inflate(kPublicSuffixTable.packed, kPublicSuffixTable.size).value_or(std::string());
    std::vector<std::string> rules;
    std::string previous;
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t end = data.find('\n', at + 1);
        if (end == std::string::npos)
            break;
        const auto shared = static_cast<unsigned char>(data[at]);
        if (shared > previous.size())
            break;
        previous = previous.substr(0, shared) + data.substr(at + 1, end - at - 1);
        rules.push_back(previous);
        at = end + 1;
    }
    return rules;
}

const std::vector<std::string>& Rules() {
    static const std::vector<std::string> rules = Unpacked();
    return rules;
}

bool Listed(const std::string& rule) {
    return std::binary_search(Rules().begin(), Rules().end(), rule);
}

// The host's labels, last first: "shop.example.com" as com, example, shop.
std::vector<std::string_view> ReversedLabels(std::string_view host) {
    std::vector<std::string_view> labels;
    for (std::size_t start = 0;;) {
        const std::size_t dot = host.find('.', start);
        labels.push_back(host.substr(start, dot - start));
        if (dot == std::string_view::npos)
            break;
        start = dot + 1;
    }
    std::reverse(labels.begin(), labels.end());
    return labels;
}

struct Suffix {
    std::size_t labels; // how many of the host's last labels it takes
    bool listed;        // a rule names it, rather than the default "*"
};

// The list's algorithm: an exception rule prevails, else the rule of the
// most labels, else the last label.
Suffix SuffixOf(std::string_view host) {
    const std::vector<std::string_view> labels = ReversedLabels(host);
    Suffix suffix{1, false};
    std::string rule;
    for (std::size_t count = 1; count <= labels.size(); ++count) {
        const std::string wildcard = rule + (count > 1 ? ".*" : "*");
        (rule += count > 1 ? "." : "") += labels[count - 1];
        if (Listed("!" + rule))
            return {count - 1, true};
        if (Listed(rule) || (count > 1 && Listed(wildcard)))
            suffix = {count, true};
    }
    return suffix;
}

} // namespace

bool IsPublicSuffix(std::string_view host) {
    if (host.empty() || host.front() == '[')
        return false;
    const Suffix suffix = SuffixOf(host);
    if (suffix.listed)
        return suffix.labels == ReversedLabels(host).size();
    if (host.find('.') != std::string_view::npos)
        return false;
    // A top-level label known only through its rules' longer names ("ck").
    const std::string top(host);
    const auto next = std::lower_bound(Rules().begin(), Rules().end(), top);
    return next != Rules().end() && next->starts_with(top + ".");
}

std::string_view RegistrableDomain(std::string_view host) {
    if (host.empty() || host.front() == '[')
        return host;
    const std::size_t labels = SuffixOf(host).labels + 1;
    std::size_t start = host.size();
    for (std::size_t i = 0; i < labels; ++i) {
        const std::size_t dot = start == 0 ? std::string_view::npos : host.rfind('.', start - 1);
        if (dot == std::string_view::npos)
            return host;
        start = dot;
    }
    return host.substr(start + 1);
}

} // namespace stilvane
