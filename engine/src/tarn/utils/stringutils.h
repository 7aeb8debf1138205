#ifndef TARN_UTILS_STRINGUTILS_H
#define TARN_UTILS_STRINGUTILS_H

#include <string>
#include <vector>

namespace tarn {

// Text with blanks and tabs removed from both ends.
std::string TrimBlanks( const std::string& text );

// Every character converted with toupper.
std::string ToUpper( const std::string& text );

// Quote-aware search. Occurrences between a pair of double quotes are skipped;
// quotes pair up from the start of the text, and after an unmatched opening
// quote nothing is found. There is no escape character. Returns npos if none.
std::string::size_type FindOutsideQuotes( const std::string& text, const std::string& token );

// Like FindOutsideQuotes but returns the last occurrence.
std::string::size_type FindLastOutsideQuotes( const std::string& text, const std::string& token );

// Quote-aware split at delimiter. Empty pieces are dropped. At most
// maxPieces - 1 delimiters split, so with 2 only the first one does
// (0 means no limit).
std::vector<std::string> SplitOutsideQuotes( const std::string& text, const std::string& delimiter,
                                             std::size_t maxPieces = 0 );

} // namespace tarn

#endif
