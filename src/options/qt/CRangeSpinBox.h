#pragma once
#include <QSpinBox>
#include <string>

namespace nl {

// A spin box for a field that is checked when its page is saved: the arrows step within
// min..max, while the keyboard may type any number up to kTypedMax, so that an out-of-range
// value reaches the page's check (and its message) instead of being corrected silently.
class CRangeSpinBox : public QSpinBox {
public:
    static constexpr int kTypedMax = 999;

    CRangeSpinBox(int min, int max, QWidget* parent = nullptr);

    // The text as typed, the field's value for the page's check.
    std::string Text() const { return cleanText().toStdString(); }

    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_min;
    int m_max;
};

}  // namespace nl
