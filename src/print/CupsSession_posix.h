#pragma once

// One ticket's talk with the CUPS server: its own connection, where every
// request has a time limit and all of them together the ticket's patience.
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <atomic>
#include <cups/cups.h>
#include <optional>

namespace tallimo::printqueue {

// libcups's calls, resolved from the library opened at the first ticket.
// clang-format off
#define TALLIMO_CUPS_CALLS(X) \
    X(cupsLastError) X(cupsLastErrorString) X(cupsServer) X(ippPort) X(cupsEncryption) \
    X(httpConnect2) X(httpClose) X(httpSetTimeout) X(cupsGetDefault2) X(ippNewRequest) \
    X(ippAddString) X(ippAddStrings) X(cupsDoRequest) X(ippFindAttribute) X(ippGetInteger) \
    X(ippGetBoolean) X(ippGetString) X(ippDelete) X(cupsAddOption) X(cupsFreeOptions) \
    X(cupsCreateJob) X(cupsStartDocument) X(cupsWriteRequestData) X(cupsFinishDocument) X(cupsGetJobs2) \
    X(cupsFreeJobs) X(cupsCancelJob2)
// clang-format on

struct Cups {
#define TALLIMO_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
    TALLIMO_CUPS_CALLS(TALLIMO_CUPS_MEMBER)
#undef TALLIMO_CUPS_MEMBER
    bool opened = false;
    QString error; // why it could not be opened
};

// Opened once, by the first printing thread; each print runs after the last one ended.
const Cups& cups();

// A request the server leaves unanswered this long: it does not answer.
constexpr int kRequestMs = 10000;
// A cancel is one short request: closing never waits longer for it.
constexpr int kCancelMs = 1000;

// What the server says of a queue.
struct QueueState {
    QByteArray name; // as the server spells it
    ipp_pstate_t state = IPP_PSTATE_IDLE;
    bool accepting = true;
};

class CupsSession {
  public:
    // `patience` bounds every request made, `stop` ends any of them at once.
    CupsSession(const std::atomic<bool>& stop, QDeadlineTimer patience);
    // The server of this thread's CUPS settings, or the one given; false when it
    // cannot be reached (gaveUp() tells whether it did not answer in time).
    bool open(const QByteArray& host = {}, int port = 0);
    ~CupsSession();
    CupsSession(const CupsSession&) = delete;
    CupsSession& operator=(const CupsSession&) = delete;

    http_t* http() const { return mHttp; }
    QByteArray host() const { return mHost; }
    int port() const { return mPort; }
    // Before each call: it gets the request's limit, within the ticket's patience.
    void begin(int ms = kRequestMs);
    // Whether a call was cut short by a limit or the stop (not by the server).
    bool gaveUp() const { return mGaveUp; }
    bool stopped() const { return mStop; }

    // The queue's state, or nothing: cupsLastError() and gaveUp() say why.
    std::optional<QueueState> queue(const QByteArray& name);
    // Takes the job back from its queue within `ms`, even after the stop or the
    // patience; false when the server did not answer.
    bool cancel(const QByteArray& queue, int job, int ms = kCancelMs);

  private:
    static int keepWaiting(http_t*, void* self);

    const std::atomic<bool>& mStop;
    const QDeadlineTimer mPatience;
    QDeadlineTimer mRequest;
    bool mCancelling = false;
    bool mGaveUp = false;
    http_t* mHttp = nullptr;
    QByteArray mHost;
    int mPort = 0;
};

// Jobs told as failed that the server could not take back then: they are taken
// back at the next chance, so none prints later by surprise.
void remember(const CupsSession& session, const QByteArray& queue, int job);
// Tries those within `ms`; the ones not answered wait for the next try.
void cancelLeftovers(const std::atomic<bool>& stop, int ms);

} // namespace tallimo::printqueue
