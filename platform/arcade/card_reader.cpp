#include "platform/arcade/card_reader.h"

namespace arcade {

bool CardReader::start() {
    if (state_ == State::failed) errorCategory_ = -1;  // a scripted failure spoils one read
    state_ = State::reading;
    confirmed_ = false;
    return true;
}

bool CardReader::cancel() {
    state_ = State::idle;
    return true;
}

bool CardReader::acceptConfirm() {
    if (state_ != State::confirming) return false;
    confirmed_ = true;
    state_ = State::reading;
    return true;
}

void CardReader::step() {
    if (state_ != State::reading) return;
    if (errorCategory_ >= 0) {
        state_ = State::failed;
        return;
    }
    if (!waitingCard_) return;
    if (confirmKind_ > 0 && !confirmed_) {
        state_ = State::confirming;
        return;
    }
    card_ = *waitingCard_;
    waitingCard_.reset();
    confirmKind_ = 0;
    state_ = State::done;
}

}  // namespace arcade
