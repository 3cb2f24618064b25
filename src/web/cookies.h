// Cookie texts ("name=value; name=value"): collecting what a response set, and folding it
// into the cookie text a caller keeps between requests.
#pragma once

#include "text/values.h"

namespace dw::web {

// The leading name=value of every "Set-Cookie: " line of a raw response header block,
// joined by "; " in the order of the lines.
Text CollectSetCookies(const Text& responseHeaders);

// Folds incoming into existing: incoming cookies first, then the existing ones whose names
// incoming does not mention; "name=deleted" drops the name; exact repeats go. Both texts
// are in/out: existing ends up holding the merged text, incoming is trimmed.
Text MergeCookies(Text& existing, Text& incoming);
// The bytes before the first "=" (the whole cookie without one), trimmed.
Text CookieName(const Text& cookie);
bool CookieListHasName(const TextArray& cookies, const Text& name);
// The pieces of text (split at separator, or into characters) without repeats, joined by
// separator.
Text DeduplicateJoin(const Text& text, const Text& separator, bool splitBySeparator);
// Fills list (emptied first) with the characters of text: two-byte GBK characters and CR LF
// count as one. Returns the number of entries.
int SplitCharacters(const Text& text, TextArray& list);
// 1-based index of the first entry equal to text, or -1.
int FindInList(const TextArray& list, const Text& text);

}  // namespace dw::web
