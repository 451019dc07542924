// A form is one window or tab: a struct whose controls register themselves
// here, and families of like controls addressed by number.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "forms/Controls.h"

namespace qv::forms {

class Form {
 public:
  explicit Form(std::string name) : name_(std::move(name)) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }
  const std::vector<Control*>& Controls() const { return controls_; }
  Control* Find(const std::string& name) const;

 private:
  friend class Control;
  std::string name_;
  std::vector<Control*> controls_;
};

// Controls named by a printf pattern with one %d, numbered first..first+count-1
// and addressed by that number, e.g. Family<Label> m{this, "M%dLabel", 1, 8}.
template <class T>
class Family {
 public:
  template <class... Args>
  Family(Form* owner, const char* pattern, int first, int count, Args&&... args) : first_(first) {
    items_.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, pattern, first + i);
      items_.push_back(std::make_unique<T>(owner, name, args...));
    }
  }
  // Each control built by a function of its number, for per-control captions.
  template <class Make>
  Family(int first, int count, Make make) : first_(first) {
    for (int i = 0; i < count; ++i) items_.push_back(make(first + i));
  }
  T& operator[](int n) { return *items_.at(static_cast<size_t>(n - first_)); }
  const T& operator[](int n) const { return *items_.at(static_cast<size_t>(n - first_)); }
  int First() const { return first_; }
  int Last() const { return first_ + static_cast<int>(items_.size()) - 1; }
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  int first_;
  std::vector<std::unique_ptr<T>> items_;
};

}  // namespace qv::forms
