#include "head_to_tail.h"

#include <cstdio>
#include <string>

#include "pinfiles/pin_files.h"

namespace zemra::testing {
namespace {

std::string text(int number) {
    return std::to_string(number);
}
int number(const std::string& digits) {
    return std::stoi(digits);
}

// printf's output of a format, each "\n" written as CR LF.
template <class... Arguments>
void print(std::string& out, const char* format, Arguments... arguments) {
    char line[256];
    std::snprintf(line, sizeof line, format, arguments...);
    for (const char* byte = line; *byte != 0; ++byte) {
        if (*byte == '\n') {
            out += '\r';
        }
        out += *byte;
    }
}

struct JState {
    std::string name;
    int hiPin = 0;
    int loPin = 0;
    int pinNumber = 0;
};

class HeadToTail {
  public:
    explicit HeadToTail(const std::vector<TextPinStep>& pinSteps) : pinSteps_(pinSteps) {}

    HeadToTailResult run() {
        buildDeviceList();
        findIcDevices();
        r_.icDiodeSteps = collect(10, 11);
        findCommonPins();
        r_.icJSteps = collect(13, 14);
        done_.assign(r_.icJSteps.size(), 0);
        deriveDiodePins();
        countIcPins();
        for (TextPinCount& count : r_.icPinCounts) {
            for (std::size_t j = 0; j < r_.icJSteps.size(); ++j) {
                if (r_.icJSteps[j].name == count.name) {
                    matchKnown(text(r_.icJSteps[j].pinNumber), j, count);
                }
            }
        }
        for (const TextPinCount& count : r_.icPinCounts) {
            int blocked = 0;
            prev_ = {};
            cur_ = {};
            for (std::size_t j = 0; j < r_.icJSteps.size(); ++j) {
                if (r_.icJSteps[j].name == count.name && done_[j] != 1) {
                    pair(r_.icJSteps[j], blocked);
                } else {
                    blocked = 1;
                }
            }
        }
        writePinFiles();
        return r_;
    }

  private:
    void buildDeviceList() {
        for (const TextPinStep& step : pinSteps_) {
            bool found = false;
            for (const TextDevice& device : r_.deviceList) {
                found = found || device.first == step.name;
            }
            if (!found) {
                r_.deviceList.emplace_back(step.name, step.lc);
            }
        }
    }

    void findIcDevices() {
        for (const TextDevice& device : r_.deviceList) {
            int count = 0;
            for (const TextPinStep& step : pinSteps_) {
                if (step.name == device.first && ++count == 8) {
                    r_.icDevices.push_back(device);
                }
            }
        }
    }

    std::vector<TextPinStep> collect(int first, int second) {
        std::vector<TextPinStep> steps;
        for (const TextDevice& device : r_.icDevices) {
            for (const TextPinStep& step : pinSteps_) {
                if (step.name == device.first &&
                    (step.typeCode == first || step.typeCode == second)) {
                    steps.push_back(step);
                }
            }
        }
        return steps;
    }

    void findCommonPins() {
        int running = 1000;
        for (const TextDevice& device : r_.icDevices) {
            for (const TextPinStep& step : r_.icDiodeSteps) {
                if (!(step.name == device.first && step.hiPin == running)) {
                    running = step.loPin;
                }
            }
            r_.icCommonPins.emplace_back(device.first, running);
        }
    }

    void deriveDiodePins() {
        for (const auto& [name, commonPin] : r_.icCommonPins) {
            for (const TextPinStep& step : r_.icDiodeSteps) {
                if (step.name != name) {
                    continue;
                }
                if (step.loPin == commonPin) {
                    r_.icDiodePins.push_back({step.name, step.hiPin, step.pinNumber});
                } else if (step.hiPin == commonPin) {
                    r_.icDiodePins.push_back({step.name, step.loPin, step.pinNumber});
                }
            }
        }
    }

    void countIcPins() {
        for (const TextDevice& device : r_.icDevices) {
            int highest = 0;
            for (const TextIcPin& pin : r_.icDiodePins) {
                if (pin.name == device.first && pin.pinNumber >= highest) {
                    highest = pin.pinNumber;
                }
            }
            if (highest > 7) {
                r_.icPinCounts.push_back({device.first, highest, device.second});
            }
        }
    }

    void matchKnown(const std::string& t, std::size_t jIndex, TextPinCount& count) {
        const TextPinStep& j = r_.icJSteps[jIndex];
        if (t.size() < 2) {
            return;
        }
        const auto tryMatch = [&](const TextIcPin& known, int v) {
            int far = 0;
            if (known.testerPin == j.hiPin) {
                far = j.loPin;
            } else if (known.testerPin == j.loPin) {
                far = j.hiPin;
            } else {
                return;
            }
            if (v < count.pinCount + 20 && v > 0) {
                r_.icJPins.push_back({j.name, far, v});
                done_[jIndex] = 1;
                if (v > count.pinCount) {
                    count.pinCount = v;
                }
            }
        };
        for (std::size_t i = 1; i < t.size(); ++i) {
            for (const TextIcPin& known : r_.icDiodePins) {
                if (known.name != j.name) {
                    continue;
                }
                const std::string k = text(known.pinNumber);
                if (t.substr(0, i) == k) {
                    tryMatch(known, number(t.substr(i)));
                }
                if (t.substr(i) == k) {
                    tryMatch(known, number(t.substr(0, i)));
                }
            }
        }
    }

    void pair(const TextPinStep& j, int blocked) {
        cur_ = {j.name, j.hiPin, j.loPin, j.pinNumber};
        if (blocked != 1) {
            const std::string a = text(cur_.pinNumber);
            const std::string b = text(prev_.pinNumber);
            int x = 0;
            int prevOther = 0;
            int curOther = 0;
            bool found = true;
            if (cur_.hiPin == prev_.loPin) {
                x = prev_.loPin, prevOther = prev_.hiPin, curOther = cur_.loPin;
            } else if (cur_.hiPin == prev_.hiPin) {
                x = prev_.hiPin, prevOther = prev_.loPin, curOther = cur_.loPin;
            } else if (cur_.loPin == prev_.loPin) {
                x = prev_.loPin, prevOther = prev_.hiPin, curOther = cur_.hiPin;
            } else if (cur_.loPin == prev_.hiPin) {
                x = prev_.hiPin, prevOther = prev_.loPin, curOther = cur_.hiPin;
            } else {
                found = false;
            }
            const auto emit = [&](const std::string& shared, const std::string& restPrev,
                                  const std::string& restCur) {
                r_.icJPins.push_back({prev_.name, x, number(shared)});
                r_.icJPins.push_back({prev_.name, prevOther, number(restPrev)});
                r_.icJPins.push_back({cur_.name, curOther, number(restCur)});
            };
            for (std::size_t i = 1; found && a.size() >= 2 && i < a.size(); ++i) {
                for (std::size_t jj = 1; jj < b.size(); ++jj) {
                    const std::string al = a.substr(0, i);
                    const std::string ar = a.substr(i);
                    const std::string bl = b.substr(0, jj);
                    const std::string br = b.substr(jj);
                    if (al == bl) {
                        emit(bl, br, ar);
                    } else if (al == br) {
                        emit(br, bl, ar);
                    }
                    if (ar == bl) {
                        emit(bl, br, al);
                    } else if (ar == br) {
                        emit(br, bl, al);
                    }
                }
            }
        }
        prev_ = cur_;
    }

    void writePinFiles() {
        int icNumber = 1;
        long long firstIcp = 1;
        int icpNumber = 1;
        for (const TextPinCount& count : r_.icPinCounts) {
            std::vector<int> slots(static_cast<std::size_t>(count.pinCount) + 1, 0);
            std::vector<int> jSlot(slots.size(), -1);
            for (const TextIcPin& pin : r_.icDiodePins) {
                if (pin.name == count.name) {
                    slots.at(static_cast<std::size_t>(pin.pinNumber)) = pin.testerPin;
                }
            }
            for (const TextIcPin& pin : r_.icJPins) {
                if (pin.name != count.name) {
                    continue;
                }
                if (pin.pinNumber > count.pinCount) {
                    ++r_.ignoredJPins;
                    continue;
                }
                slots.at(static_cast<std::size_t>(pin.pinNumber)) = pin.testerPin;
                jSlot.at(static_cast<std::size_t>(pin.pinNumber)) = pin.testerPin;
            }
            for (int pin = 1; pin <= count.pinCount; ++pin) {
                if (jSlot[static_cast<std::size_t>(pin)] >= 0) {
                    r_.shownJPins.push_back(
                        {count.name, jSlot[static_cast<std::size_t>(pin)], pin});
                }
                print(r_.icp, kIcpLine, icpNumber++, slots[static_cast<std::size_t>(pin)]);
            }
            print(r_.icn, kIcnIcColumns, icNumber++, count.name.c_str(), count.lc.c_str());
            print(r_.icn, kIcnPinColumns, count.pinCount, 0, static_cast<int>(firstIcp));
            firstIcp += count.pinCount;
        }
    }

    const std::vector<TextPinStep>& pinSteps_;
    HeadToTailResult r_;
    std::vector<int> done_;
    JState prev_;
    JState cur_;
};

}  // namespace

HeadToTailResult runHeadToTail(const std::vector<TextPinStep>& pinSteps) {
    return HeadToTail(pinSteps).run();
}

}  // namespace zemra::testing
