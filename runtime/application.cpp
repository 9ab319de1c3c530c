#include "runtime/application.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "runtime/form.h"
#include "runtime/program.h"
#include "runtime/runtime_error.h"

namespace runtime {

Application::Application(int& argc, char** argv) {
  QApplication::setApplicationName(QStringLiteral("Zorvane"));
  mApp = std::make_unique<QApplication>(argc, argv);
}

Application::~Application() = default;

int Application::Run(const std::function<Form&()>& startup) {
  Program* program = Program::Current();
  try {
    Form& form = startup();
    form.SetEndsProgramWhenClosed(true);
    form.Show();
  } catch (const ProgramEnd&) {
    return 0;
  } catch (const RuntimeError& error) {
    // Without its window the program cannot run; say why before leaving.
    std::fprintf(stderr, "Run-time error '%d': %s\n", error.Number(), error.Description().c_str());
    QMessageBox::critical(nullptr, QApplication::applicationName(),
                          QStringLiteral("Run-time error '%1':\n\n%2")
                              .arg(error.Number())
                              .arg(QString::fromStdString(error.Description())));
    return 1;
  }
  if (program != nullptr) program->SetEventLoopRunning(true);
  const int status = QApplication::exec();
  if (program != nullptr) program->SetEventLoopRunning(false);
  return status;
}

}  // namespace runtime
