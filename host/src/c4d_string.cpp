#include "c4d_string.h"

#include <algorithm>

Bool String::FindFirst(const String& what, Int32* pos, Int32 start) const {
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return false;
    const size_t at = text_.find(what.text_, static_cast<size_t>(start));
    if (at == std::string::npos)
        return false;
    if (pos)
        *pos = static_cast<Int32>(at);
    return true;
}

String String::SubStr(Int32 start, Int32 count) const {
    const Int32 len = GetLength();
    start = std::clamp(start, 0, len);
    count = std::clamp(count, 0, len - start);
    return String(text_.substr(static_cast<size_t>(start), static_cast<size_t>(count)));
}
