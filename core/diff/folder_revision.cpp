#include "diff/folder_revision.h"

#include "pinfiles/pin_files.h"
#include "run/settings_file.h"
#include "tester/pin_files_reader.h"
#include "text/text_writer.h"

namespace zemra {
namespace {

// The IC's pins that have a tester pin, as a conversion's pin table holds those it found.
IcPinTable pinTableOf(const ListedIc& ic) {
    IcPinTable table{.name = 0, .pinCount = ic.pinCount, .foundPins = {}};
    for (std::size_t index = 0; index < ic.testerPins.size(); ++index) {
        if (ic.testerPins[index] != 0) {
            table.foundPins.push_back({.pin = static_cast<int>(index) + 1,
                                       .testerPin = ic.testerPins[index],
                                       .origin = PinOrigin::Diode,
                                       .pinStep = 0});
        }
    }
    return table;
}

}  // namespace

RevisionFingerprint readFolderRevision(const TesterFileOpener& open, RevisionKept kept) {
    RevisionFingerprint fingerprint;
    const bool whole = kept == RevisionKept::Whole;
    {
        TesterFile listing = open(".dat");
        FingerprintingSource fingerprinting(*listing.bytes);
        ListingReader reader(whole ? static_cast<ByteSource&>(fingerprinting) : *listing.bytes,
                             listing.name);
        while (const ListedColumns* step = reader.next()) {
            fingerprint.stepKeys.push_back(stepKey(step->partsN.view()));
        }
        if (whole) {
            fingerprint.input = fingerprinting.finish();
        }
    }
    TesterFile icnFile = open(".icn");
    std::vector<ListedIc> ics = readIcnFile(*icnFile.bytes, icnFile.name);
    TesterFile icpFile = open(".icp");
    readIcpFile(*icpFile.bytes, icpFile.name, ics);
    TesterFile scpFile = open(".scp");
    const RunCounters settings = readSettingsFile(*scpFile.bytes, scpFile.name);

    DiscardingSink nowhere;
    FingerprintingSink icn(nowhere);
    FingerprintingSink icp(nowhere);
    FingerprintingSink scp(nowhere);
    {
        TextWriter icnText(icn);
        TextWriter icpText(icp);
        PinFiles pinFiles(icnText, icpText);
        for (const ListedIc& ic : ics) {
            IcSummary summary;
            summary.name.assign(ic.name);
            summary.lc = ic.lc;
            summary.pinCount = ic.pinCount;
            summary.firstIcp = pinFiles.nextIcpNumber();
            const IcPinTable table = pinTableOf(ic);
            pinFiles.writeIc({.name = 0, .pinCount = ic.pinCount, .lc = ic.lc}, ic.name, table);
            if (whole) {
                fingerprint.summary.ics.push_back(std::move(summary));
                fingerprint.icPinTables.append(table);
            }
        }
        icnText.flush();
        icpText.flush();
    }
    {
        TextWriter scpText(scp);
        writeSettingsFile(settings, scpText);
        scpText.flush();
    }
    fingerprint.pinAndSettingsFiles = {icn.finish(), icp.finish(), scp.finish()};
    return fingerprint;
}

ListingSteps::ListingSteps(const TesterFileOpener& open, const Fingerprint& firstRead)
    : listing_(open(".dat")),
      source_(*listing_.bytes),
      reader_(source_, listing_.name),
      firstRead_(firstRead) {
    step_.hasRecord = false;
    step_.columnsListed = true;
}

ListedStep* ListingSteps::nextOrNone() {
    const ListedColumns* columns = reader_.next();
    if (columns == nullptr) {
        return nullptr;
    }
    step_.columns = *columns;
    step_.kind = columns->partsN.view() == "*" ? StepKind::Skipped : StepKind::Decoded;
    step_.fields.step = columns->step;
    step_.fields.partsN = columns->partsN;
    return &step_;
}

}  // namespace zemra
