#include "view/page_record.h"

namespace {

constexpr int kBackground = 0;

}  // namespace

bool PageRecord::eraseText(const PageCall& text) {
    for (auto call = calls_.rbegin(); call != calls_.rend(); ++call) {
        if (call->kind == PageCall::Kind::Ptxt && call->colour != kBackground &&
            call->values == text.values && call->texts == text.texts) {
            calls_.erase(std::next(call).base());
            return true;
        }
    }
    return false;
}
