#pragma once
// The stand-in's card reader: a read started by the game waits for a card
// (from the script), may ask a confirmation, and ends with the card's id and
// access code or with an error of a category. Cancelling ends a read at once.
//
// Threads: main thread only, inside the cabinet.

#include <cstdint>
#include <optional>
#include <string>

namespace arcade {

class CardReader {
public:
    struct Card {
        int32_t aimeId = 0;
        std::string accessCode;  // 20 digits
    };

    // A card touches the reader; a read in progress takes it at the next step.
    void present(const Card& card) { waitingCard_ = card; }
    void askConfirm(int32_t kind) { confirmKind_ = kind; }
    void failNextRead(int32_t category) { errorCategory_ = category; }

    bool start();
    bool cancel();
    // Once a platform step.
    void step();

    bool busy() const { return state_ == State::reading || state_ == State::confirming; }
    bool hasConfirm() const { return state_ == State::confirming; }
    int32_t confirmKind() const { return hasConfirm() ? confirmKind_ : 0; }
    bool acceptConfirm();
    bool hasError() const { return state_ == State::failed; }
    int32_t errorCategory() const { return hasError() ? errorCategory_ : 0; }
    bool hasResult() const { return state_ == State::done; }
    const Card* result() const { return hasResult() ? &card_ : nullptr; }

    int ledSuccess = 0;
    int ledError = 0;

private:
    enum class State { idle, reading, confirming, done, failed };

    State state_ = State::idle;
    std::optional<Card> waitingCard_;
    Card card_;
    int32_t confirmKind_ = 0;
    bool confirmed_ = false;
    int32_t errorCategory_ = -1;
};

}  // namespace arcade
