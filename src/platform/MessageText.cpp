#include "platform/MessageText.h"

#include "platform/Ansi.h"

namespace pemmaro {

MessageText::MessageText(std::string_view ansi) {
    append(Encoding::ansi, ansi);
}

MessageText::MessageText(const std::string& ansi)
    : MessageText(std::string_view(ansi)) {}

MessageText::MessageText(const char* ansi)
    : MessageText(std::string_view(ansi)) {}

MessageText MessageText::system(std::string_view text) {
    MessageText result;
    result.append(Encoding::system, text);
    return result;
}

void MessageText::append(Encoding encoding, std::string_view bytes) {
    if (bytes.empty())
        return;
    if (!parts_.empty() && parts_.back().encoding == encoding)
        parts_.back().bytes.append(bytes);
    else
        parts_.push_back({encoding, std::string(bytes)});
}

MessageText& MessageText::operator+=(const MessageText& more) {
    for (const Part& part : more.parts_)
        append(part.encoding, part.bytes);
    return *this;
}

QString MessageText::to_qstring() const {
    QString result;
    for (const Part& part : parts_) {
        if (part.encoding == Encoding::ansi)
            result += pemmaro::to_qstring(part.bytes);
        else
            result += QString::fromLocal8Bit(part.bytes.data(),
                                             static_cast<qsizetype>(part.bytes.size()));
    }
    return result;
}

std::string MessageText::to_utf8() const {
    return to_qstring().toStdString();
}

} // namespace pemmaro
