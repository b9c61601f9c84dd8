#pragma once
// The six equations of a stand density control diagram as the editor shows
// them: each coefficient box stands where its coefficient stands in the
// printed formula (exponents raised, subscripts lowered, root signs drawn),
// with the coefficient's short name above it, so that the coefficients of a
// published diagram can be typed in without guessing which box is which.

#include <QWidget>
#include <array>

class QLineEdit;

namespace mk::app {

struct PrmEquationBoxes {
    std::array<QLineEdit*, 18> text{};  // Text1..Text17 at 1..17
    std::array<QWidget*, 7> group{};    // Group1..Group6 at 1..6
};

// Builds the six groups (named Group1..Group6, with labels Label1..Label6
// and the small exponent and subscript labels Label1_2 ...) inside parent.
PrmEquationBoxes BuildPrmEquations(QWidget* parent);

// First and last parameter number of a group (1..6).
int FirstParameterOf(int group);
int LastParameterOf(int group);

// A square root sign drawn over a short text ("Ｎ").
class RootSign : public QWidget {
    Q_OBJECT
public:
    RootSign(const QString& radicand, QWidget* parent);
    QSize sizeHint() const override;
    QString radicand() const { return radicand_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString radicand_;
};

}  // namespace mk::app
