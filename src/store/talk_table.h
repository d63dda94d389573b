#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/tra_entry_record.h"
#include "store/tra_failure.h"
#include "store/tra_text_store.h"

namespace wordgleaner {

// A game keeps its own texts in a binary string table, a talk table. Version
// 1, every number little-endian:
//   header, 18 bytes: this signature (8), language (2), entry count (4),
//       offset of the text data from the start of the file (4);
//   one record of 26 bytes per entry, entry i being string id i: flags (2;
//       bit 1: has a sound), sound name (8, NUL-padded), volume and pitch
//       variance (4 + 4), offset of the text in the text data (4), its length (4);
//   the text data: the texts, without terminators, in any order.
inline constexpr std::string_view TalkTableSignature = "TLK V1  ";

// The file begins with TalkTableSignature, whatever its name. False when it
// cannot be read: its load as a tra file then tells why.
bool IsTalkTable(const std::string& path);

// Reads the table at `path` as the entries of a tra file, appended to the
// empty `entries` over the empty `texts`: entry i gets id i, its text (empty
// when its length is 0, whatever the flags say) with every CR LF read as LF
// as in a tra file and every other byte kept, and its sound name when flag
// bit 1 is set and the name is not empty. With a `femaleTablePath`, an entry
// whose text or sound differs from the same id's in that table gets that
// table's text and sound as its female ones, as in `~male~ [M] ~female~ [F]`;
// ids that only one of the tables holds are left as they are.
//
// A damaged table fails with TraDamagedTable and the first entry that cannot
// be read, looked for in this order:
//   - a file shorter than the header, or without the signature: entry 0;
//   - the first record that does not lie whole after the header and before
//     both the text data and the end of the file: a table cut inside its
//     records, or a count of more records than fit there;
//   - the first entry, in id order, whose text does not lie whole in the file.
// A failure of the female table is named by its path in `otherFile`. After
// any failure `entries` and `texts` are empty. May throw std::bad_alloc.
TraFailure ReadTalkTable(const std::string& path, const std::string& femaleTablePath,
                         std::vector<TraEntryRecord>& entries, TraTextStore& texts);

}  // namespace wordgleaner
