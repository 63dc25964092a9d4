#include "options/qt/CRangeSpinBox.h"

#include <algorithm>

namespace nl {

CRangeSpinBox::CRangeSpinBox(int min, int max, QWidget* parent)
    : QSpinBox(parent), m_min(min), m_max(max) {
    setRange(std::min(min, 0), kTypedMax);
}

void CRangeSpinBox::stepBy(int steps) {
    setValue(std::clamp(value() + steps, m_min, m_max));
    selectAll();
}

QAbstractSpinBox::StepEnabled CRangeSpinBox::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (value() < m_max) enabled |= StepUpEnabled;
    if (value() > m_min) enabled |= StepDownEnabled;
    return enabled;
}

}  // namespace nl
