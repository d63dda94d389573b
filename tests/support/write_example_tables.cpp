// Writes the game string tables of examples/game, a game's language folders
// laid out as in an Enhanced Edition, from the texts below:
//   write_example_tables GAME_DIR           writes GAME_DIR/lang/en_US/dialog.tlk,
//                                           GAME_DIR/lang/fr_FR/dialog.tlk and dialogF.tlk
//   write_example_tables --check GAME_DIR   exits with 1 when a table there differs
//                                           from what it would write

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "support/talk_table_writer.h"

namespace {

namespace fs = std::filesystem;
using wordgleaner::test_support::TalkTableBytes;
using wordgleaner::test_support::TalkTableEntry;

// Entry k of each table is string id k. The French texts are UTF-8, as an
// Enhanced Edition keeps them; a female text differs where a French speaker
// addresses a woman otherwise.
struct ExampleEntry {
    const char* english;
    const char* sound;  // the same in every language
    const char* french;
    const char* frenchFemale = nullptr;  // none: the same as `french`
};

const ExampleEntry Entries[] = {
    {"<NO TEXT>", "", "<NO TEXT>"},
    {"Greetings, traveller. What brings you to Westmarch?", "WM1000",
     "Salutations, voyageur. Qu'est-ce qui vous amène à Westmarch ?",
     "Salutations, voyageuse. Qu'est-ce qui vous amène à Westmarch ?"},
    {"Watch your step, the bridge is old.", "WM1004",
     "Attention où vous marchez, le pont est vieux."},
    {"Thank you, my friend. Here is your reward.", "", "Merci, mon ami. Voici votre récompense.",
     "Merci, mon amie. Voici votre récompense."},
    {"The guards will not let you pass without a writ.", "",
     "Les gardes ne vous laisseront pas passer sans un ordre écrit."},
    {"Welcome back, hero!", "WM1027", "Bon retour, héros !", "Bon retour, héroïne !"},
    {"My lord, you are too kind.", "", "Monseigneur, vous êtes trop bon.",
     "Madame, vous êtes trop bonne."},
    {"Journal updated.", "", "Journal mis à jour."},
    {"The guards will not let you in.", "", "Les gardes ne vous laisseront pas entrer."},
    {"Come back when you have the writ.", "", "Revenez quand vous aurez l'ordre écrit."},
    {"", "", ""},  // a record without a text, as games keep many
    {"Healing potion", "", "Potion de soins"},
    {"Restores 10 hit points when drunk.", "", "Rend 10 points de vie une fois bue."},
    {"Long sword", "", "Épée longue"},
    {"A plain but well balanced blade.", "", "Une lame simple mais bien équilibrée."},
};

TalkTableEntry TableEntry(const char* text, const char* sound) {
    TalkTableEntry entry;
    entry.text = text;
    entry.sound = sound;
    return entry;
}

struct ExampleTable {
    const char* path;  // under the game folder
    std::string bytes;
};

std::vector<ExampleTable> ExampleTables() {
    std::vector<TalkTableEntry> english;
    std::vector<TalkTableEntry> french;
    std::vector<TalkTableEntry> frenchFemale;
    for (const ExampleEntry& entry : Entries) {
        english.push_back(TableEntry(entry.english, entry.sound));
        french.push_back(TableEntry(entry.french, entry.sound));
        frenchFemale.push_back(
            TableEntry(entry.frenchFemale ? entry.frenchFemale : entry.french, entry.sound));
    }
    return {{"lang/en_US/dialog.tlk", TalkTableBytes(english)},
            {"lang/fr_FR/dialog.tlk", TalkTableBytes(french)},
            {"lang/fr_FR/dialogF.tlk", TalkTableBytes(frenchFemale)}};
}

bool Write(const fs::path& file, const std::string& bytes) {
    std::error_code ignored;
    fs::create_directories(file.parent_path(), ignored);
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::cerr << "cannot write " << file.string() << "\n";
    }
    return static_cast<bool>(out);
}

bool Holds(const fs::path& file, const std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    const std::string held(std::istreambuf_iterator<char>(in), {});
    if (!in || held != bytes) {
        std::cerr << file.string() << " is not what write_example_tables writes\n";
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string_view(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::cerr << "usage: write_example_tables [--check] GAME_DIR\n";
        return 2;
    }
    const fs::path game = argv[argc - 1];
    bool ok = true;
    for (const ExampleTable& table : ExampleTables()) {
        ok = (check ? Holds(game / table.path, table.bytes)
                    : Write(game / table.path, table.bytes)) &&
             ok;
    }
    return ok ? 0 : 1;
}
