#include <iostream>

#include "crypto/cipher_method_set.h"
#include "crypto/stored_text.h"
#include "crypto/text_cipher_key.h"
#include "text/mbcs.h"
#include "tools/gdict/arguments.h"
#include "tools/gdict/commands.h"

namespace {

std::string KeyText(const Arguments& arguments) {
    const std::optional<std::string> key = arguments.Option("key");
    return key ? ArgumentToCp936(*key, "the key") : std::string(TextCipherKey);
}

}  // namespace

int RunEncipher(const std::vector<std::string>& args) {
    const Arguments arguments(args, {"key"}, 1);
    const std::string plain = ArgumentToCp936(arguments.Positional(0), "the plain text");
    std::cout << MakeStoredText(KeyText(arguments), plain) << '\n';
    return 0;
}

int RunDecipher(const std::vector<std::string>& args) {
    const Arguments arguments(args, {"key"}, 1);
    const std::string plain = TheCipherMethodSet().TextCipher(
        CCipherMethodSet::kTea, KeyText(arguments), arguments.Positional(0));
    std::cout << mbcs::ToUtf8(plain) << '\n';
    return 0;
}
