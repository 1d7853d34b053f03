#pragma once

namespace zemra {

// The texts the operator sees, in the program's language.
inline constexpr const char* kMessageFileMissing = "파일이 존재하지 않습니다.";
inline constexpr const char* kMessageConverted = "변환을 마쳤습니다";
inline constexpr const char* kMessageDatNotCreated = "DAT 파일이 생성되지 않습니다.";
inline constexpr const char* kMessageIcnNotCreated = "ICN 파일이 생성되지 않습니다.";
inline constexpr const char* kMessageIcpNotCreated = "ICP 파일이 생성되지 않습니다.";
inline constexpr const char* kMessageScpNotCreated = "SCP 파일이 생성되지 않습니다.";

}  // namespace zemra
