#pragma once

#include "document/map_notice.h"
#include "document/map_problems.h"

#include <QObject>

#include <future>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class QTimer;

namespace vorn {

class Editor;
class EntityClassList;

// Checks the map again soon after each change that can alter its problems, on another thread on
// a copy of the map, so that the window stays live. One check runs at a time; a change made while
// it runs starts another when it ends. `checked` tells that `problems` are new.
class ProblemChecker final : public QObject, private MapListener {
    Q_OBJECT
public:
    // Changes in a burst (a drag, keys held down) are checked once.
    static constexpr int kDelayMs = 100;

    ProblemChecker(Editor& editor, QObject* parent);
    ~ProblemChecker() override;

    // Starts a check at once (F8).
    void checkNow();
    // Whether a check runs or a change waits for one: the problems may not match the map.
    bool behind() const;
    // What the last check found, entity indices and brush ids as they were when it began.
    const std::vector<Problem>& problems() const { return problems_; }

signals:
    void started();
    void checked();

private:
    void mapChanged(const MapNotice& notice) override;
    void start();
    void collect();
    std::shared_ptr<const EntityClassList> classesForCheck();
    std::shared_ptr<const std::unordered_set<std::string>> texturesForCheck();

    Editor& editor_;
    QTimer* delay_;
    QTimer* poll_;
    std::future<std::vector<Problem>> running_;
    bool changedSinceStart_ = false;
    std::vector<Problem> problems_;
    // Copies the checks read on their thread, made again only when the originals change.
    std::shared_ptr<const EntityClassList> classes_;
    int classesGeneration_ = -1;
    std::shared_ptr<const std::unordered_set<std::string>> textures_;
    std::string texturesOfWad_;
};

} // namespace vorn
