#pragma once
// The value a slot holds: empty, a number of one of the stored widths, text, a flag, or an
// object (the curve record, the colour set) that the slot owns.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace model {

// Base of the records a slot can own; copying a slot copies the record.
class clsObject {
 public:
  virtual ~clsObject() = default;
  virtual std::unique_ptr<clsObject> clone() const = 0;
  virtual bool equals(const clsObject& other) const = 0;
};

// Owning reference with value semantics, so that copying the store copies its records deeply.
class clsObjectRef {
 public:
  clsObjectRef() = default;
  explicit clsObjectRef(std::unique_ptr<clsObject> object) : object_(std::move(object)) {}
  clsObjectRef(const clsObjectRef& other) : object_(other.object_ ? other.object_->clone() : nullptr) {}
  clsObjectRef(clsObjectRef&&) noexcept = default;
  clsObjectRef& operator=(const clsObjectRef& other) {
    if (this != &other) object_ = other.object_ ? other.object_->clone() : nullptr;
    return *this;
  }
  clsObjectRef& operator=(clsObjectRef&&) noexcept = default;

  clsObject* get() const { return object_.get(); }
  template <class T>
  T* as() const { return dynamic_cast<T*>(object_.get()); }
  // Equal records, or none on either side.
  bool operator==(const clsObjectRef& other) const {
    if (!object_ || !other.object_) return !object_ && !other.object_;
    return object_->equals(*other.object_);
  }

 private:
  std::unique_ptr<clsObject> object_;
};

using tValue = std::variant<std::monostate, std::int16_t, std::int32_t, float, double, std::string, bool,
                            clsObjectRef>;

struct clsOne {
  tValue value;
  bool operator==(const clsOne&) const = default;
};

}  // namespace model
