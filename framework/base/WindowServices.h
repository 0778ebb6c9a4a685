#pragma once

// The interface through which the framework's services without windows reach the toolkit.

#include <cstdint>
#include <optional>
#include <string>

namespace kiv {

class TForm;

// What the information classes and the tools need from the desktop toolkit. The toolkit
// implements it and hands it to TInformation and TTools; until then the operations that need it
// report that they cannot answer.
class TWindowServices {
public:
  virtual ~TWindowServices() = default;

  // The application's main window.
  virtual TForm* MainForm() = 0;

  // The outer height of a plain form with a client area 0 pixels high.
  virtual int MinFormHeight() = 0;

  // The id of the process owning the top-level window whose title is title; nullopt when there
  // is none.
  virtual std::optional<std::uint64_t> ProcessOfWindow(const std::string& title) = 0;

  // The width and height in pixels of a Windows bitmap (BMP) file.
  virtual void BitmapDims(const std::string& fileName, int& width, int& height) = 0;
};

// The progress window of the dialog helpers, as the tools' status callback uses it.
class TProgressDialog {
public:
  virtual ~TProgressDialog() = default;

  // Shows progress; false when the user asked to stop.
  virtual bool Progress(int current, int total, const std::string& message,
                        const std::string& title, const std::string& buttonCaption) = 0;
};

} // namespace kiv
