#pragma once

#include <span>
#include <string>
#include <string_view>

namespace wordgleaner {

// A game whose language has gendered texts keeps the female ones in
// dialogF.tlk beside dialog.tlk; the names are compared up to ASCII letter
// case, as the game's own file system does. `namesBeside` are the names of
// the files in the table's folder.

// The name of the female table of the table named `tableName`: for
// dialog.tlk, the dialogF.tlk among `namesBeside` (of exactly that spelling
// first); empty for any other table, or when there is none.
std::string FemaleTableName(std::string_view tableName, std::span<const std::string> namesBeside);

// A dialogF.tlk with a dialog.tlk among `namesBeside`: it gives that table its
// female texts and is no reference file of its own. A dialogF.tlk alone is.
bool ServesAsFemaleTable(std::string_view name, std::span<const std::string> namesBeside);

// True for names ending in ".tlk", ".TLK", ".Tlk", ...
bool HasTalkTableExtension(std::string_view name);

}  // namespace wordgleaner
