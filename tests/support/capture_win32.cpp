// On Windows the two channels are caught where they leave the process:
// - OutputDebugStringA raises DBG_PRINTEXCEPTION_C (ExceptionInformation[0] = length with the
//   terminator, [1] = the text), which reaches a vectored handler first, also under Wine; the
//   handler keeps the text and lets the program go on.
// - Standard output: the C run time's descriptor 1 is pointed at a temporary file from
//   StartCapture to the end of the test, and read back from there. GoogleTest prints on the same
//   stdout, so its result printer is wrapped: it prints with the real stdout in place.
#include "support/capture.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>

#include <gtest/gtest.h>

namespace varnet::test {
namespace {

constexpr DWORD kDbgPrintException = 0x40010006;

struct Capture {
    std::mutex mutex;
    std::string debug;
    bool handlerInstalled = false;
    bool listenerInstalled = false;
    int savedStdout = -1; // the real descriptor 1 while redirected
    std::string file;
    std::streamoff clearedAt = 0;
};

Capture& State() {
    static auto* capture = new Capture;
    return *capture;
}

thread_local bool t_inPrinter = false;

LONG CALLBACK OnException(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD* record = info->ExceptionRecord;
    if (record->ExceptionCode != kDbgPrintException || record->NumberParameters < 2) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    auto length = static_cast<size_t>(record->ExceptionInformation[0]);
    const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    if (text != nullptr && !t_inPrinter) {
        while (length > 0 && text[length - 1] == '\0') {
            --length;
        }
        Capture& c = State();
        std::lock_guard lock(c.mutex);
        c.debug.append(text, length);
    }
    return EXCEPTION_CONTINUE_EXECUTION;
}

void Redirect(Capture& c) {
    if (c.savedStdout >= 0) {
        return;
    }
    char folder[MAX_PATH];
    char name[MAX_PATH];
    if (GetTempPathA(MAX_PATH, folder) == 0 || GetTempFileNameA(folder, "vso", 0, name) == 0) {
        return;
    }
    int fd = -1;
    if (_sopen_s(&fd, name, _O_CREAT | _O_TRUNC | _O_RDWR | _O_BINARY, _SH_DENYNO,
                 _S_IREAD | _S_IWRITE) != 0) {
        return;
    }
    std::fflush(stdout);
    c.savedStdout = _dup(_fileno(stdout));
    _dup2(fd, _fileno(stdout));
    _close(fd);
    c.file = name;
    c.clearedAt = 0;
}

void Restore(Capture& c) {
    if (c.savedStdout < 0) {
        return;
    }
    std::fflush(stdout);
    _dup2(c.savedStdout, _fileno(stdout));
    _close(c.savedStdout);
    c.savedStdout = -1;
}

std::string ReadCaptured(Capture& c) {
    std::fflush(stdout);
    std::ifstream in(c.file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Forwards every event to GoogleTest's own printer, with the real stdout in place while it
// prints, and ends the redirection with the test.
class CaptureListener : public testing::TestEventListener {
public:
    explicit CaptureListener(testing::TestEventListener* printer) : printer_(printer) {}

    void OnTestProgramStart(const testing::UnitTest& u) override {
        if (printer_)
            printer_->OnTestProgramStart(u);
    }
    void OnTestIterationStart(const testing::UnitTest& u, int i) override {
        if (printer_)
            printer_->OnTestIterationStart(u, i);
    }
    void OnEnvironmentsSetUpStart(const testing::UnitTest& u) override {
        if (printer_)
            printer_->OnEnvironmentsSetUpStart(u);
    }
    void OnEnvironmentsSetUpEnd(const testing::UnitTest& u) override {
        if (printer_)
            printer_->OnEnvironmentsSetUpEnd(u);
    }
    void OnTestSuiteStart(const testing::TestSuite& s) override {
        if (printer_)
            printer_->OnTestSuiteStart(s);
    }
    void OnTestStart(const testing::TestInfo& t) override {
        if (printer_)
            printer_->OnTestStart(t);
    }
    void OnTestPartResult(const testing::TestPartResult& r) override {
        Capture& c = State();
        bool redirected = false;
        std::string file;
        {
            std::lock_guard lock(c.mutex);
            redirected = c.savedStdout >= 0;
            file = c.file;
            Restore(c);
        }
        // The printer also sends the failure to the debugger channel: not the library's text.
        t_inPrinter = true;
        if (printer_)
            printer_->OnTestPartResult(r);
        t_inPrinter = false;
        if (redirected) {
            // Back to the same file, at its end, so nothing captured is lost.
            std::lock_guard lock(c.mutex);
            int fd = -1;
            if (_sopen_s(&fd, file.c_str(), _O_RDWR | _O_BINARY | _O_APPEND, _SH_DENYNO,
                         _S_IREAD | _S_IWRITE) == 0) {
                std::fflush(stdout);
                c.savedStdout = _dup(_fileno(stdout));
                _dup2(fd, _fileno(stdout));
                _close(fd);
            }
        }
    }
    void OnTestEnd(const testing::TestInfo& t) override {
        {
            Capture& c = State();
            std::lock_guard lock(c.mutex);
            Restore(c);
            if (!c.file.empty()) {
                DeleteFileA(c.file.c_str());
                c.file.clear();
            }
        }
        if (printer_)
            printer_->OnTestEnd(t);
    }
    void OnTestSuiteEnd(const testing::TestSuite& s) override {
        if (printer_)
            printer_->OnTestSuiteEnd(s);
    }
    void OnEnvironmentsTearDownStart(const testing::UnitTest& u) override {
        if (printer_)
            printer_->OnEnvironmentsTearDownStart(u);
    }
    void OnEnvironmentsTearDownEnd(const testing::UnitTest& u) override {
        if (printer_)
            printer_->OnEnvironmentsTearDownEnd(u);
    }
    void OnTestIterationEnd(const testing::UnitTest& u, int i) override {
        if (printer_)
            printer_->OnTestIterationEnd(u, i);
    }
    void OnTestProgramEnd(const testing::UnitTest& u) override {
        if (printer_)
            printer_->OnTestProgramEnd(u);
    }

private:
    std::unique_ptr<testing::TestEventListener> printer_;
};

} // namespace

void StartCapture() {
    Capture& c = State();
    bool installListener = false;
    {
        std::lock_guard lock(c.mutex);
        if (!c.handlerInstalled) {
            AddVectoredExceptionHandler(1, OnException);
            c.handlerInstalled = true;
        }
        installListener = !c.listenerInstalled;
        c.listenerInstalled = true;
        c.debug.clear();
    }
    if (installListener) {
        testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
        testing::TestEventListener* printer = listeners.Release(listeners.default_result_printer());
        listeners.Append(new CaptureListener(printer));
    }
    std::lock_guard lock(c.mutex);
    Redirect(c);
    c.clearedAt = static_cast<std::streamoff>(ReadCaptured(c).size());
}

std::string DebugOutput() {
    Capture& c = State();
    std::lock_guard lock(c.mutex);
    return c.debug;
}

std::string StdoutOutput() {
    Capture& c = State();
    std::lock_guard lock(c.mutex);
    if (c.file.empty()) {
        return std::string();
    }
    std::string raw = ReadCaptured(c).substr(static_cast<size_t>(c.clearedAt));
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            continue; // stdout is in text mode: "\n" went out as "\r\n"
        }
        text += raw[i];
    }
    return text;
}

void ClearCaptures() {
    Capture& c = State();
    std::lock_guard lock(c.mutex);
    c.debug.clear();
    if (!c.file.empty()) {
        c.clearedAt = static_cast<std::streamoff>(ReadCaptured(c).size());
    }
}

} // namespace varnet::test
