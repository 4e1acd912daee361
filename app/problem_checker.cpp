#include "problem_checker.h"

#include "document/map_snapshot.h"
#include "editor/editor.h"
#include "editor/map_check.h"
#include "textures/texture_archives.h"

#include <QTimer>

#include <chrono>

namespace vorn {
namespace {

constexpr int kPollMs = 20;

// Selection and the current entity or texture change nothing a check looks at.
bool CanChangeProblems(const MapNotice& notice)
{
    return notice.reset || !notice.added.empty() || !notice.removed.empty() || !notice.changed.empty() || notice.entitiesChanged ||
           notice.keysChanged;
}

} // namespace

ProblemChecker::ProblemChecker(Editor& editor, QObject* parent)
    : QObject(parent), editor_(editor), delay_(new QTimer(this)), poll_(new QTimer(this))
{
    delay_->setSingleShot(true);
    delay_->setInterval(kDelayMs);
    connect(delay_, &QTimer::timeout, this, &ProblemChecker::start);
    poll_->setInterval(kPollMs);
    connect(poll_, &QTimer::timeout, this, &ProblemChecker::collect);
    editor_.map().addListener(*this);
}

ProblemChecker::~ProblemChecker()
{
    editor_.map().removeListener(*this);
    if (running_.valid()) running_.wait();
}

void ProblemChecker::checkNow()
{
    delay_->stop();
    start();
}

bool ProblemChecker::behind() const
{
    return running_.valid() || delay_->isActive();
}

void ProblemChecker::mapChanged(const MapNotice& notice)
{
    if (CanChangeProblems(notice)) delay_->start();
}

void ProblemChecker::start()
{
    if (running_.valid()) {
        changedSinceStart_ = true;
        return;
    }
    changedSinceStart_ = false;
    const CQMap& map = editor_.map();
    running_ = std::async(std::launch::async, [snapshot = TakeMapSnapshot(map, map.pathName(), {}), classes = classesForCheck(),
                                               textures = texturesForCheck()]() mutable {
        const MapSnapshot copy = std::move(snapshot); // freed on this thread too
        return CheckMap(copy.entities, {*classes, textures.get()});
    });
    poll_->start();
    emit started();
}

void ProblemChecker::collect()
{
    if (running_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    poll_->stop();
    problems_ = running_.get();
    if (changedSinceStart_) {
        start(); // what was found is already out of date
        return;
    }
    emit checked();
}

std::shared_ptr<const EntityClassList> ProblemChecker::classesForCheck()
{
    if (!classes_ || classesGeneration_ != editor_.classes().generation()) {
        classes_ = std::make_shared<const EntityClassList>(editor_.classes());
        classesGeneration_ = editor_.classes().generation();
    }
    return classes_;
}

std::shared_ptr<const std::unordered_set<std::string>> ProblemChecker::texturesForCheck()
{
    const TextureArchives& archives = editor_.panel().textures().archives();
    const std::string wad = archives.wadValue() + "|" + std::to_string(archives.archives().size());
    if (wad != texturesOfWad_) {
        auto names = ArchiveTextureNames(editor_);
        textures_ = names ? std::make_shared<const std::unordered_set<std::string>>(std::move(*names)) : nullptr;
        texturesOfWad_ = wad;
    }
    return textures_;
}

} // namespace vorn
