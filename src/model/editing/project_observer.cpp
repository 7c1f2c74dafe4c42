#include "model/editing/project_observer.h"

#include <algorithm>

namespace ze {

void ProjectObservers::Add(ProjectObserver* observer) {
    if (observer != nullptr && !Contains(observer)) {
        observers_.push_back(observer);
    }
}

void ProjectObservers::Remove(ProjectObserver* observer) {
    std::erase(observers_, observer);
}

bool ProjectObservers::Contains(const ProjectObserver* observer) const {
    return std::find(observers_.begin(), observers_.end(), observer) != observers_.end();
}

}  // namespace ze
