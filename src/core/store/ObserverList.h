#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace vemo {

// The observers of one list, told in the order they were added.  Notify walks by index, so an
// observer may remove itself (or another) while being told.
template <class Observer> class ObserverList {
public:
    void Add(Observer* observer) {
        if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end()) {
            observers_.push_back(observer);
        }
    }
    void Remove(Observer* observer) { std::erase(observers_, observer); }

    template <class F> void Notify(F tell) const {
        for (std::size_t i = 0; i < observers_.size(); ++i) {
            tell(*observers_[i]);
        }
    }

private:
    std::vector<Observer*> observers_;
};

} // namespace vemo
