#include "diff_header.h"

#include "escaped_text.h"
#include "zemra_version.h"

namespace zemra::cli {
namespace {

std::string fileLine(std::string_view which, const std::string& name, const Fingerprint& bytes) {
    return std::string(which) + ": " + consoleEscapedText(name) + ": " +
           std::to_string(bytes.size) + " bytes, SHA-256 " + bytes.sha256Hex() + "\n";
}

Json fileJson(const std::string& name, const Fingerprint& bytes) {
    Json object;
    object["file"] = pathText(name);
    object["size"] = bytes.size;
    object["sha256"] = bytes.sha256Hex();
    return object;
}

}  // namespace

std::string optionsText(const DecodeOptions& options) {
    std::string text =
        options.variant == TesterVariant::Kx740e ? ", for the KX740E" : ", for the KX740 FE/FR";
    if (options.reversePins) {
        text += ", Hi and Lo pins of voltage steps exchanged";
    }
    return text;
}

std::string headerText(const DiffHeader& header) {
    return "zemra-convert " + std::string(kProgramVersion) + " --diff" +
           optionsText(header.options) + "\n" + fileLine("old", header.before, header.beforeBytes) +
           fileLine("new", header.after, header.afterBytes);
}

Json headerJson(const DiffHeader& header) {
    Json object;
    object["change"] = "header";
    object["version"] = kProgramVersion;
    object["variant"] = header.options.variant == TesterVariant::Kx740e ? "KX740E" : "KX740 FE/FR";
    object["reversePins"] = header.options.reversePins;
    object["old"] = fileJson(header.before, header.beforeBytes);
    object["new"] = fileJson(header.after, header.afterBytes);
    return object;
}

}  // namespace zemra::cli
