#include "FakeDesktopServices.h"

#include "text/Error.h"

#include <QTimer>
#include <gtest/gtest.h>

namespace {
template <typename T> T Next(std::deque<T>& answers, const char* what, const T& fallback) {
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return fallback;
    }
    const T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}
} // namespace

bool FakeDesktopServices::askRetryCancel(QWidget*, const QString& caption, const QString& text) {
    questions.push_back({caption, text});
    return Next(retryCancelAnswers, "Retry/Cancel box", false);
}

bool FakeDesktopServices::askOkCancel(QWidget*, const QString& caption, const QString& text) {
    questions.push_back({caption, text});
    return Next(okCancelAnswers, "OK/Cancel box", false);
}

std::optional<QString> FakeDesktopServices::chooseOpenFile(QWidget*,
                                                           const FileDialogRequest& request) {
    openRequests.push_back(request);
    return Next(openAnswers, "open dialog", std::optional<QString>{});
}

std::optional<QString> FakeDesktopServices::chooseSaveFile(QWidget*,
                                                           const FileDialogRequest& request) {
    saveRequests.push_back(request);
    return Next(saveAnswers, "save dialog", std::optional<QString>{});
}

std::optional<SaveFileChoice>
FakeDesktopServices::chooseSaveFileAndFilter(QWidget*, const FileDialogRequest& request,
                                             const QString& filter) {
    saveRequests.push_back(request);
    saveFiltersShown << filter;
    return Next(saveChoiceAnswers, "save dialog", std::optional<SaveFileChoice>{});
}

void FakeDesktopServices::setClipboardText(const QString& text) {
    if (clipboardBusy)
        throw tinsora::Error("クリップボードを開くことができません");
    clipboard = text;
}

void FakeDesktopServices::setClipboardUtf8(const QByteArray& utf8) {
    if (clipboardBusy)
        throw tinsora::Error("クリップボードを開くことができません");
    clipboard = QString::fromUtf8(utf8);
    ++clipboardUtf8Writes;
}

std::optional<QString> FakeDesktopServices::clipboardText() {
    if (clipboardBusy)
        throw tinsora::Error("クリップボードを開くことができません");
    return clipboard;
}

std::optional<QString> FakeDesktopServices::clipboardTextStart(QClipboard::Mode mode,
                                                               qsizetype units) {
    if (clipboardBusy)
        throw tinsora::Error("クリップボードを開くことができません");
    clipboardStartsRead.push_back(units);
    const std::optional<QString>& held = mode == QClipboard::Selection ? selection : clipboard;
    return held ? std::optional<QString>(held->left(units)) : std::nullopt;
}

void FakeDesktopServices::setPointerPosition(const QPoint& position) {
    pointerMoves.push_back(position);
    pointer = position;
}

bool FakeDesktopServices::pickColorFromDesktop(QWidget*, const DesktopPickDone& done) {
    ++desktopPickRequests;
    if (!desktopPickAvailable)
        return false;
    desktopPickDone = done;
    return true;
}

bool FakeDesktopServices::openUrl(const QUrl& url, OpenFailed failed) {
    openedUrls << url;
    if (openUrlSucceeds && openUrlFailure && failed)
        QTimer::singleShot(0, [failed, reason = *openUrlFailure] { failed(reason); });
    return openUrlSucceeds;
}
