#include "head_to_tail.h"

#include <string>

namespace zemra::testing {
namespace {

std::string text(int number) {
    return std::to_string(number);
}
int number(const std::string& digits) {
    return std::stoi(digits);
}

class HeadToTail {
  public:
    explicit HeadToTail(const std::vector<PinStep>& pinSteps) { l.pinSteps = pinSteps; }

    HeadToTailResult run() {
        buildDeviceList();
        findIcDevices();
        collect(10, 11, true);
        findCommonPins();
        collect(13, 14, false);
        deriveDiodePins();
        countIcPins();
        for (IcPinCount& count : l.icPinCounts) {
            for (IcJStep& jStep : l.icJSteps) {
                if (jStep.name == count.name) {
                    matchKnown(text(jStep.pinNumber), jStep, count);
                }
            }
        }
        for (const IcPinCount& count : l.icPinCounts) {
            int blocked = 0;
            prev = {};
            cur = {};
            for (const IcJStep& jStep : l.icJSteps) {
                if (jStep.name == count.name && jStep.done != 1) {
                    pair(jStep, blocked);
                } else {
                    blocked = 1;
                }
            }
        }
        std::vector<std::vector<int>> tables;
        for (const IcPinCount& count : l.icPinCounts) {
            std::vector<int> slots(static_cast<std::size_t>(count.pinCount) + 1, 0);
            for (const IcDiodePin& pin : l.icDiodePins) {
                if (pin.name == count.name) {
                    slots.at(static_cast<std::size_t>(pin.pinNumber)) = pin.testerPin;
                }
            }
            for (const IcJPin& pin : l.icJPins) {
                if (pin.name == count.name && pin.pinNumber <= count.pinCount) {
                    slots.at(static_cast<std::size_t>(pin.pinNumber)) = pin.testerPin;
                }
            }
            tables.push_back(slots);
        }
        return {l, tables};
    }

  private:
    void buildDeviceList() {
        for (const PinStep& step : l.pinSteps) {
            bool found = false;
            for (const DeviceEntry& device : l.deviceList) {
                found = found || device.name == step.name;
            }
            if (!found) {
                l.deviceList.push_back({step.name, step.lc});
            }
        }
    }

    void findIcDevices() {
        for (const DeviceEntry& device : l.deviceList) {
            int count = 0;
            for (const PinStep& step : l.pinSteps) {
                if (step.name == device.name && ++count == 8) {
                    l.icDevices.push_back({device.name, device.lc});
                }
            }
        }
    }

    void collect(int first, int second, bool diode) {
        for (const IcDevice& device : l.icDevices) {
            for (const PinStep& s : l.pinSteps) {
                if (s.name == device.name && (s.typeCode == first || s.typeCode == second)) {
                    if (diode) {
                        l.icDiodeSteps.push_back(
                            {s.name, s.lc, s.hiPin, s.loPin, s.pinNumber, s.typeCode});
                    } else {
                        l.icJSteps.push_back(
                            {s.name, s.lc, s.hiPin, s.loPin, s.pinNumber, s.typeCode, 0});
                    }
                }
            }
        }
    }

    void findCommonPins() {
        int running = 1000;
        for (const IcDevice& device : l.icDevices) {
            for (const IcDiodeStep& step : l.icDiodeSteps) {
                if (!(step.name == device.name && step.hiPin == running)) {
                    running = step.loPin;
                }
            }
            l.icCommonPins.push_back({device.name, running});
        }
    }

    void deriveDiodePins() {
        for (const IcCommonPin& common : l.icCommonPins) {
            for (const IcDiodeStep& s : l.icDiodeSteps) {
                if (s.name != common.name) {
                    continue;
                }
                if (s.loPin == common.commonPin) {
                    l.icDiodePins.push_back({s.name, s.hiPin, s.pinNumber});
                } else if (s.hiPin == common.commonPin) {
                    l.icDiodePins.push_back({s.name, s.loPin, s.pinNumber});
                }
            }
        }
    }

    void countIcPins() {
        for (const IcDevice& device : l.icDevices) {
            int highest = 0;
            for (const IcDiodePin& pin : l.icDiodePins) {
                if (pin.name == device.name && pin.pinNumber >= highest) {
                    highest = pin.pinNumber;
                }
            }
            if (highest > 7) {
                l.icPinCounts.push_back({device.name, highest, device.lc});
            }
        }
    }

    void matchKnown(const std::string& t, IcJStep& j, IcPinCount& count) {
        if (t.size() < 2) {
            return;
        }
        const auto tryMatch = [&](const IcDiodePin& known, int v) {
            int far = 0;
            if (known.testerPin == j.hiPin) {
                far = j.loPin;
            } else if (known.testerPin == j.loPin) {
                far = j.hiPin;
            } else {
                return;
            }
            if (v < count.pinCount + 20 && v > 0) {
                l.icJPins.push_back({j.name, far, v});
                j.done = 1;
                if (v > count.pinCount) {
                    count.pinCount = v;
                }
            }
        };
        for (std::size_t i = 1; i < t.size(); ++i) {
            for (const IcDiodePin& known : l.icDiodePins) {
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

    void pair(const IcJStep& j, int blocked) {
        cur = {j.name, j.hiPin, j.loPin, j.pinNumber};
        if (blocked != 1) {
            const std::string a = text(cur.pinNumber);
            const std::string b = text(prev.pinNumber);
            int x = 0;
            int prevOther = 0;
            int curOther = 0;
            bool found = true;
            if (cur.hiPin == prev.loPin) {
                x = prev.loPin, prevOther = prev.hiPin, curOther = cur.loPin;
            } else if (cur.hiPin == prev.hiPin) {
                x = prev.hiPin, prevOther = prev.loPin, curOther = cur.loPin;
            } else if (cur.loPin == prev.loPin) {
                x = prev.loPin, prevOther = prev.hiPin, curOther = cur.hiPin;
            } else if (cur.loPin == prev.hiPin) {
                x = prev.hiPin, prevOther = prev.loPin, curOther = cur.hiPin;
            } else {
                found = false;
            }
            const auto emit = [&](const std::string& shared, const std::string& restPrev,
                                  const std::string& restCur) {
                l.icJPins.push_back({prev.name, x, number(shared)});
                l.icJPins.push_back({prev.name, prevOther, number(restPrev)});
                l.icJPins.push_back({cur.name, curOther, number(restCur)});
            };
            for (std::size_t i = 1; found && a.size() >= 2 && i < a.size(); ++i) {
                for (std::size_t jj = 1; jj < b.size(); ++jj) {
                    const std::string al = a.substr(0, i), ar = a.substr(i);
                    const std::string bl = b.substr(0, jj), br = b.substr(jj);
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
        prev = cur;
    }

    ConversionLists l;
    JStepState prev;
    JStepState cur;
};

}  // namespace

HeadToTailResult runHeadToTail(const std::vector<PinStep>& pinSteps) {
    return HeadToTail(pinSteps).run();
}

}  // namespace zemra::testing
