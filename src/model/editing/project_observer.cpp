#include "model/editing/project_observer.h"

#include <algorithm>

namespace ze {

struct ProjectObserver::Registry {
    std::vector<ProjectObserver*> observers;
};

ProjectObserver::~ProjectObserver() {
    for (const std::weak_ptr<Registry>& observed : observed_) {
        if (const std::shared_ptr<Registry> registry = observed.lock()) {
            std::erase(registry->observers, this);
        }
    }
}

ProjectObservers::ProjectObservers() : registry_(std::make_shared<ProjectObserver::Registry>()) {}

ProjectObservers::~ProjectObservers() = default;

void ProjectObservers::Add(ProjectObserver* observer) {
    if (observer == nullptr || Contains(observer)) {
        return;
    }
    registry_->observers.push_back(observer);
    std::erase_if(observer->observed_, [](const auto& observed) { return observed.expired(); });
    observer->observed_.push_back(registry_);
}

void ProjectObservers::Remove(ProjectObserver* observer) {
    if (observer == nullptr || !Contains(observer)) {
        return;
    }
    std::erase(registry_->observers, observer);
    std::erase_if(observer->observed_, [this](const auto& observed) {
        return observed.expired() || observed.lock() == registry_;
    });
}

bool ProjectObservers::Contains(const ProjectObserver* observer) const {
    const std::vector<ProjectObserver*>& all = registry_->observers;
    return std::find(all.begin(), all.end(), observer) != all.end();
}

std::size_t ProjectObservers::Count() const {
    return registry_->observers.size();
}

std::vector<ProjectObserver*> ProjectObservers::Snapshot() const {
    return registry_->observers;
}

}  // namespace ze
