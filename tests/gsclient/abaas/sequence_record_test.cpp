#include "gsclient/abaas/sequence_record.h"

#include <gtest/gtest.h>

namespace {

using am::abaas::readSequenceRecord;

struct Case {
    const char* reply;
    const char* seqId;
    const char* token;
};

TEST(SequenceRecord, ValuesAreReadAfterTheirFirstMarker) {
    const Case cases[] = {
        {R"({"control":{"online":1,"seq_id":"seq-7","token":"tk-42"}})", "seq-7", "tk-42"},
        {R"({"control":{"token":"tk-42"}})", "", "tk-42"},                      // no seq_id
        {R"({"control":{"seq_id":"seq-7"}})", "seq-7", ""},                     // no token
        {R"({"result":0})", "", ""},                                             // neither
        {"", "", ""},                                                            // empty reply
        {R"({"control":{"seq_id":"","token":"tk"}})", "", "tk"},                // empty seq_id
        {R"({"seq_id":"first","x":{"seq_id":"second"}})", "first", ""},        // first wins
        {R"({"seq_id":"runs to the end)", "runs to the end", ""},              // no closing quote
        {R"({"seq_id":"a b\u0041","token":"t"})", "a b\\u0041", "t"},           // copied raw
        {R"({"seq_id" : "spaced","token":1})", "", ""},                          // not the marker
    };
    for (const Case& c : cases) {
        const am::abaas::SequenceRecord record = readSequenceRecord(c.reply);
        EXPECT_EQ(record.seqId, c.seqId) << c.reply;
        EXPECT_EQ(record.token, c.token) << c.reply;
    }
}

}  // namespace
