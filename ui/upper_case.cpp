#include "upper_case.h"

#include <QLineEdit>
#include <QValidator>

namespace qz::ui {
namespace {

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar& c : input) {
            const QString upper = QString(c).toUpper();
            if (upper.size() == 1)
                c = upper.front();
        }
        return Acceptable;
    }
};

}  // namespace

void makeUpperCase(QLineEdit* field) { field->setValidator(new UpperCaseValidator(field)); }

}  // namespace qz::ui
