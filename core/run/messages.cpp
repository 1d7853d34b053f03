#include "run/messages.h"

namespace zemra {

std::string_view operatorText(MessageKind kind) {
    switch (kind) {
        case MessageKind::FileMissing:
            return "파일이 존재하지 않습니다.";
        case MessageKind::FileUnreadable:
            return "파일을 읽을 수 없습니다.";
        case MessageKind::DatNotCreated:
            return "DAT 파일이 생성되지 않습니다.";
        case MessageKind::IcnNotCreated:
            return "ICN 파일이 생성되지 않습니다.";
        case MessageKind::IcpNotCreated:
            return "ICP 파일이 생성되지 않습니다.";
        case MessageKind::ScpNotCreated:
            return "SCP 파일이 생성되지 않습니다.";
        case MessageKind::Converted:
            return "변환을 마쳤습니다";
    }
    return {};
}

std::string describe(const RunMessage& message) {
    std::string text(operatorText(message.kind));
    if (message.reason) {
        text += " (" + reasonText(*message.reason) + ")";
    }
    return text;
}

}  // namespace zemra
