// Writes the reply fuzzer's seeds into the folder given as the one argument:
// whole replies (first byte odd) and header-plus-deflated bodies (even), of
// a few bytes and of the size of a ranking reply.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/gsclient/abaas/reply_builder.h"
#include "tests/gsclient/peer/test_identity.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void writeSeed(const std::filesystem::path& folder, const std::string& name, std::uint8_t kind,
               const Bytes& bytes) {
    std::ofstream out(folder / name, std::ios::binary);
    out.put(static_cast<char>(kind));
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const auto& key = gstest::testTitleKey();
    const std::string load =
        R"({"control":{"online":0,"seq_id":"seq-1","token":"token-42"},)"
        R"("user":{"name":"ACE","savedata":{"score_nov_a":"123456"},"user_id":42}})";
    const std::string small = R"({"result":0})";
    // A reply of real size: a ranking list of a few hundred entries.
    std::string ranking = R"({"control":{"online":0},"ranking":[)";
    for (uint32_t i = 0; i < 600; ++i) {
        ranking += (i ? "," : "") + std::string(R"({"rank":)") + std::to_string(i + 1) + R"(,"name":"P)" +
                   std::to_string(i * 2654435761u) + R"(","score":")" + std::to_string(i * 40503u ^ 0x9E3779B9u) +
                   "\"}";
    }
    ranking += "]}";

    writeSeed(folder, "whole_load", 1, gstest::buildReply(key, {load}));
    writeSeed(folder, "whole_small", 1, gstest::buildReply(key, {small}));
    writeSeed(folder, "whole_status", 1, gstest::buildReply(key, {small, 9}));
    writeSeed(folder, "whole_ranking", 1, gstest::buildReply(key, {ranking}));
    writeSeed(folder, "whole_longer", 1,
              gstest::buildReply(key, {small, 0, std::uint32_t(small.size() + 9)}));

    for (const auto& [name, text] :
         {std::pair{"inner_load", load}, std::pair{"inner_small", small}, std::pair{"inner_ranking", ranking}}) {
        Bytes whole = gstest::buildReply(key, {text});
        Bytes inner(whole.begin(), whole.begin() + 16);
        const Bytes deflated = gstest::deflateText(text);
        inner.insert(inner.end(), deflated.begin(), deflated.end());
        writeSeed(folder, name, 0, inner);
    }
    return 0;
}
