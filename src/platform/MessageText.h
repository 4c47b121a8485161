#pragma once
// A text on its way to the user, made of parts that keep their own encoding:
// language and data texts are Windows-1252 bytes, while paths and the system's
// own texts (file names, error strings) are in the system's encoding (UTF-8
// here). Each part is converted by its own rule where the text meets Qt.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace pemmaro {

class MessageText {
public:
    MessageText() = default;
    // Language and data texts, the common case, convert without ceremony.
    MessageText(std::string_view ansi);
    MessageText(const std::string& ansi);
    MessageText(const char* ansi);

    // A path or another text of the system.
    static MessageText system(std::string_view text);

    MessageText& operator+=(const MessageText& more);
    friend MessageText operator+(MessageText left, const MessageText& right) {
        left += right;
        return left;
    }

    QString to_qstring() const;
    std::string to_utf8() const;

private:
    enum class Encoding { ansi, system };
    struct Part {
        Encoding encoding;
        std::string bytes;
    };

    void append(Encoding encoding, std::string_view bytes);

    std::vector<Part> parts_;
};

inline MessageText system_text(std::string_view text) {
    return MessageText::system(text);
}

} // namespace pemmaro
