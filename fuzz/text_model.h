#pragma once

#include <optional>
#include <string>

// Plain std::string versions of the text toolkit's rules, written from their description with
// find() rather than a byte walk, so that the fuzz targets can compare the two. A missing result
// (the toolkit's -1 for "nothing copied") is std::nullopt.

std::string ModelReplace(const std::string& text, const std::string& pattern,
                         const std::string& replacement);
int ModelCount(const std::string& text, const std::string& pattern);
std::string ModelTrimLeft(const std::string& text, char ch);
std::string ModelTrimRight(const std::string& text, char ch);
std::string ModelSqueeze(const std::string& text, char ch);
int ModelCheckParens(const std::string& text);
std::optional<std::string> ModelField(const std::string& text, char delim, int index);

int ModelCountRegions(const std::string& text, const std::string& open, const std::string& close);
std::optional<std::string> ModelRegion(const std::string& text, int index, const std::string& open,
                                       const std::string& close);
std::string ModelRemoveRegions(const std::string& text, const std::string& open,
                               const std::string& close);
