#pragma once

// Emscripten 3.1.6's libc++ has std::from_chars for integers only (a double
// argument picks a deleted overload). The web build includes this header
// first in every source of kelvora-render, so the option parser compiles
// unchanged: the same grammar as from_chars in its general format (optional
// '-', digits with an optional point, an optional exponent; "inf" and
// "nan"), independent of the locale, converted with strtod.

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>
#include <system_error>

namespace kelvora::web_compat {

inline bool startsWithNoCase(const char* first, const char* last, const char* word)
{
    for (; *word; ++word, ++first)
        if (first == last || std::tolower(static_cast<unsigned char>(*first)) != *word)
            return false;
    return true;
}

// Where the number at first ends under the general format; first when
// there is none.
inline const char* endOfNumber(const char* first, const char* last)
{
    const char* p = first;
    if (p != last && *p == '-')
        ++p;
    if (startsWithNoCase(p, last, "infinity"))
        return p + 8;
    if (startsWithNoCase(p, last, "inf"))
        return p + 3;
    if (startsWithNoCase(p, last, "nan")) {
        const char* q = p + 3;
        if (q != last && *q == '(') {
            const char* r = q + 1;
            while (r != last && (std::isalnum(static_cast<unsigned char>(*r)) || *r == '_'))
                ++r;
            if (r != last && *r == ')')
                return r + 1;
        }
        return q;
    }
    auto digits = [last](const char* q) {
        while (q != last && *q >= '0' && *q <= '9')
            ++q;
        return q;
    };
    const char* q = digits(p);
    bool any = q != p;
    if (q != last && *q == '.') {
        const char* r = digits(q + 1);
        any = any || r != q + 1;
        q = r;
    }
    if (!any)
        return first;
    if (q != last && (*q == 'e' || *q == 'E')) {
        const char* e = q + 1;
        if (e != last && (*e == '+' || *e == '-'))
            ++e;
        const char* end = digits(e);
        if (end != e)
            q = end;
    }
    return q;
}

}  // namespace kelvora::web_compat

namespace std {

inline from_chars_result from_chars(
    const char* first, const char* last, double& value, chars_format = chars_format::general)
{
    const char* stop = kelvora::web_compat::endOfNumber(first, last);
    if (stop == first)
        return {first, errc::invalid_argument};
    const std::string text(first, stop);
    errno = 0;
    const double parsed = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE)
        return {stop, errc::result_out_of_range};
    value = parsed;
    return {stop, errc()};
}

}  // namespace std
