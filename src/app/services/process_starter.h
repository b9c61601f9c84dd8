#pragma once
// Starting external programs (the editor and file manager of the launcher).

#include <QString>
#include <QStringList>

namespace mk::app {

// The argument text split into words as a shell would (blanks separate,
// quotes group); nothing else in it is interpreted.
QStringList SplitArguments(const QString& text);

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the program detached; false when it could not be started.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
};

class QtProcessStarter final : public ProcessStarter {
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override;
};

}  // namespace mk::app
