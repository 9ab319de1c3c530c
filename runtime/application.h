#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace runtime {

class Form;

// Starts the runtime on Qt and runs the system: creates the start-up form,
// shows it and dispatches events until the program ends.
class Application {
 public:
  Application(int& argc, char** argv);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // `startup` creates (or finds) the start-up form. Returns the exit status:
  // 0 when the program ended normally, 1 when the start-up form could not be
  // created (the reason is shown first).
  int Run(const std::function<Form&()>& startup);

 private:
  std::unique_ptr<QApplication> mApp;
};

}  // namespace runtime
