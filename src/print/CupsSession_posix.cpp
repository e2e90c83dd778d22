#include "print/CupsSession_posix.h"

#include <QUrl>

#include <cerrno>
#include <dlfcn.h>
#include <mutex>
#include <vector>

namespace tallimo::printqueue {

namespace {

template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

// libcups is opened at the first ticket, not at start: with what it pulls in
// (GnuTLS, Kerberos, Avahi) it cost a register that never prints 3.4 MB resident.
Cups openCups() {
    Cups api;
    void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL); // kept open for the program
    bool found = library != nullptr;
#define TALLIMO_CUPS_RESOLVE(name) found = found && resolve(library, #name, api.name);
    TALLIMO_CUPS_CALLS(TALLIMO_CUPS_RESOLVE)
#undef TALLIMO_CUPS_RESOLVE
    api.opened = found;
    if (const char* why = found ? nullptr : dlerror())
        api.error = QString::fromLocal8Bit(why);
    return api;
}

// How often a call waiting on the server looks at the stop and the limits.
constexpr double kLookSeconds = 0.25;

} // namespace

const Cups& cups() {
    static const Cups api = openCups();
    return api;
}

CupsSession::CupsSession(const std::atomic<bool>& stop, QDeadlineTimer patience)
    : mStop(stop), mPatience(patience) {}

CupsSession::~CupsSession() {
    if (mHttp)
        cups().httpClose(mHttp);
}

bool CupsSession::open(const QByteArray& host, int port) {
    mHost = host.isEmpty() ? QByteArray(cups().cupsServer()) : host;
    mPort = host.isEmpty() ? cups().ippPort() : port;
    begin();
    // In short tries, so the stop is seen; a refusal is final at once.
    while (!mHttp && !mStop && !mRequest.hasExpired()) {
        errno = 0;
        mHttp = cups().httpConnect2(mHost.constData(), mPort, nullptr, AF_UNSPEC,
                                    cups().cupsEncryption(), 1, int(kLookSeconds * 1000), nullptr);
        if (!mHttp && errno != 0 && errno != ETIMEDOUT && errno != EINPROGRESS && errno != EAGAIN &&
            errno != EINTR)
            return false;
    }
    mGaveUp = !mHttp;
    if (mHttp)
        cups().httpSetTimeout(mHttp, kLookSeconds, &CupsSession::keepWaiting, this);
    return mHttp != nullptr;
}

void CupsSession::begin(int ms) {
    mRequest = QDeadlineTimer(mCancelling ? ms : qMin<qint64>(ms, mPatience.remainingTime()));
}

int CupsSession::keepWaiting(http_t*, void* self) {
    auto* session = static_cast<CupsSession*>(self);
    // Each request's limit lies within the patience (see begin()).
    const bool cut = !session->mCancelling && session->mStop;
    if (cut || session->mRequest.hasExpired()) {
        session->mGaveUp = true;
        return 0;
    }
    return 1;
}

std::optional<QueueState> CupsSession::queue(const QByteArray& name) {
    const Cups& api = cups();
    ipp_t* request = api.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/printers/" + QUrl::toPercentEncoding(name);
    api.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     uri.constData());
    static const char* const wanted[] = {"printer-name", "printer-state",
                                         "printer-is-accepting-jobs"};
    api.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                      nullptr, wanted);
    begin();
    ipp_t* response = api.cupsDoRequest(mHttp, request, "/");
    std::optional<QueueState> queue;
    if (response && !mGaveUp && api.cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        queue.emplace();
        ipp_attribute_t* attribute = api.ippFindAttribute(response, "printer-name", IPP_TAG_NAME);
        queue->name = attribute ? QByteArray(api.ippGetString(attribute, 0, nullptr)) : name;
        if ((attribute = api.ippFindAttribute(response, "printer-state", IPP_TAG_ENUM)))
            queue->state = ipp_pstate_t(api.ippGetInteger(attribute, 0));
        attribute = api.ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
        queue->accepting = !attribute || api.ippGetBoolean(attribute, 0);
    }
    api.ippDelete(response);
    return queue;
}

bool CupsSession::cancel(const QByteArray& queue, int job, int ms) {
    mCancelling = true;
    mGaveUp = false;
    begin(ms);
    const ipp_status_t status = cups().cupsCancelJob2(mHttp, queue.constData(), job, 0);
    mCancelling = false;
    // Refused (already ended, or gone with its queue) is as good as done.
    return !mGaveUp && status < IPP_STATUS_ERROR_INTERNAL;
}

namespace {

struct Leftover {
    QByteArray host;
    int port;
    QByteArray queue;
    int job;
};
std::mutex leftoversLock;
std::vector<Leftover> leftovers;

} // namespace

void remember(const CupsSession& session, const QByteArray& queue, int job) {
    const std::lock_guard<std::mutex> lock(leftoversLock);
    leftovers.push_back({session.host(), session.port(), queue, job});
}

void cancelLeftovers(const std::atomic<bool>& stop, int ms) {
    std::vector<Leftover> pending;
    {
        const std::lock_guard<std::mutex> lock(leftoversLock);
        pending.swap(leftovers);
    }
    const QDeadlineTimer deadline(ms);
    for (const Leftover& job : pending) {
        if (!stop && !deadline.hasExpired() && cups().opened) {
            CupsSession session(stop, QDeadlineTimer(qMax<qint64>(deadline.remainingTime(), 1)));
            if (session.open(job.host, job.port) &&
                session.cancel(job.queue, job.job,
                               int(qBound(qint64(1), deadline.remainingTime(), qint64(kCancelMs)))))
                continue;
        }
        const std::lock_guard<std::mutex> lock(leftoversLock);
        leftovers.push_back(job);
    }
}

} // namespace tallimo::printqueue
