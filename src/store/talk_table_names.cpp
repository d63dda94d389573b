#include "store/talk_table_names.h"

#include <algorithm>

namespace wordgleaner {

namespace {

constexpr std::string_view MaleTableName = "dialog.tlk";
constexpr std::string_view FemaleTableSpelling = "dialogF.tlk";
constexpr std::string_view TalkTableExtension = ".tlk";

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualUpToAsciiCase(std::string_view left, std::string_view right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

bool AnyEqualUpToAsciiCase(std::span<const std::string> names, std::string_view wanted) {
    return std::any_of(names.begin(), names.end(), [wanted](const std::string& name) {
        return EqualUpToAsciiCase(name, wanted);
    });
}

}  // namespace

std::string FemaleTableName(std::string_view tableName, std::span<const std::string> namesBeside) {
    if (!EqualUpToAsciiCase(tableName, MaleTableName)) {
        return {};
    }
    auto exact = std::find(namesBeside.begin(), namesBeside.end(), FemaleTableSpelling);
    if (exact != namesBeside.end()) {
        return *exact;
    }
    auto other = std::find_if(namesBeside.begin(), namesBeside.end(), [](const std::string& name) {
        return EqualUpToAsciiCase(name, FemaleTableSpelling);
    });
    return other != namesBeside.end() ? *other : std::string();
}

bool ServesAsFemaleTable(std::string_view name, std::span<const std::string> namesBeside) {
    return EqualUpToAsciiCase(name, FemaleTableSpelling) &&
           AnyEqualUpToAsciiCase(namesBeside, MaleTableName);
}

bool HasTalkTableExtension(std::string_view name) {
    return name.size() >= TalkTableExtension.size() &&
           EqualUpToAsciiCase(name.substr(name.size() - TalkTableExtension.size()),
                              TalkTableExtension);
}

}  // namespace wordgleaner
