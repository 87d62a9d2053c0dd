#include "web/runtime_error_text.h"

namespace kelvora {

const char* RuntimeErrorTextJa(ErrorNumber number)
{
    switch (number) {
    case ErrorNumber::InvalidProcedureCall: return "プロシージャの呼び出し、または引数が正しくありません。";
    case ErrorNumber::Overflow: return "オーバーフローしました。";
    case ErrorNumber::OutOfMemory: return "メモリが不足しています。";
    case ErrorNumber::SubscriptOutOfRange: return "インデックスが有効範囲にありません。";
    case ErrorNumber::DivisionByZero: return "0 で除算しました。";
    }
    return "アプリケーション定義またはオブジェクト定義のエラーです。";
}

}  // namespace kelvora
