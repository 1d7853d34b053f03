#pragma once

#include <span>
#include <stdexcept>
#include <string>

#include "decode/step_fields.h"
#include "io/byte_sink.h"
#include "io/byte_source.h"
#include "run/board_lists.h"
#include "run/conversion_summary.h"
#include "run/local_date_time.h"
#include "run/record_observer.h"
#include "tuning/carried_step.h"

namespace zemra {

struct BoardSettings {
    std::string title;  // names the board in the listing header
    DecodeOptions options;
    LocalDateTime at;  // the local time stamped into the listing
    // Sees every record, when given; the run then keeps in its summary each IC's pin table and
    // every ignored J pin. None costs nothing.
    RecordObserver* observer = nullptr;
    // Decides which steps take tuned columns in place of converted ones, when given: their
    // listing lines show them, and their pins and LC count for the pin files and the settings
    // file.
    StepCarry* carry = nullptr;
};

struct BoardOutputs {
    ByteSink& listing;  // .dat
    ByteSink& icn;
    ByteSink& icp;
    ByteSink& scp;
};

// What a run with carried steps throws when a step lists otherwise than when the carry was
// worked out: the file changed in between.
class CarriedStepChanged : public std::runtime_error {
  public:
    CarriedStepChanged()
        : std::runtime_error("the file changed since its steps were compared with the tester's") {}
};

// One conversion of a component file: the listing header, every whole record with its listing
// lines and pin step, the passes in their fixed order, the two pin files and the settings file.
// Every conversion goes through here. A failure of the input or of an output ends it at once.
ConversionSummary convertBoard(ByteSource& input, const BoardSettings& settings,
                               const BoardOutputs& outputs);

// The same, also keeping every list of the passes in `lists`.
ConversionSummary convertBoard(ByteSource& input, const BoardSettings& settings,
                               const BoardOutputs& outputs, BoardLists& lists);

}  // namespace zemra
