// Class identity, Assign/AssignTo, creation through New and weak references.
#include "classlib/core/object.h"

#include <gtest/gtest.h>

#include "classlib/core/exceptions.h"

namespace {

class TShape : public cl::TPersistent {
  CL_CLASS(TShape, cl::TPersistent)
 public:
  int Size = 0;
  void Assign(const cl::TPersistent* source) override {
    if (const auto* shape = dynamic_cast<const TShape*>(source)) {
      Size = shape->Size;
      return;
    }
    inherited::Assign(source);
  }
};

class TCircle : public TShape {
  CL_CLASS(TCircle, TShape)
};

// Knows how to copy itself into a TShape, which does not know it.
class TSquare : public cl::TPersistent {
  CL_CLASS(TSquare, cl::TPersistent)
 public:
  int Side = 0;

 protected:
  void AssignTo(cl::TPersistent* dest) const override {
    if (auto* shape = dynamic_cast<TShape*>(dest)) {
      shape->Size = Side;
      return;
    }
    inherited::AssignTo(dest);
  }
};

class TFailsToStart : public cl::TObject {
  CL_CLASS(TFailsToStart, cl::TObject)
 public:
  explicit TFailsToStart(int* destroyed) : FDestroyed(destroyed) {}
  void AfterConstruction() override { throw cl::EInvalidOperation("no start"); }
  void BeforeDestruction() override { ++*FDestroyed; }

 private:
  int* FDestroyed;
};

TEST(ObjectTest, ClassNameAndInheritance) {
  TCircle circle;
  const cl::TObject& object = circle;
  EXPECT_EQ(object.ClassName(), "TCircle");
  EXPECT_EQ(object.ClassType(), TCircle::StaticClass());
  EXPECT_TRUE(object.InheritsFrom(TShape::StaticClass()));
  EXPECT_TRUE(object.InheritsFrom(cl::TObject::StaticClass()));
  EXPECT_FALSE(object.InheritsFrom(TSquare::StaticClass()));
  EXPECT_EQ(TCircle::StaticClass()->Parent, TShape::StaticClass());
}

TEST(ObjectTest, AssignFallsBackToTheSourcesAssignTo) {
  TShape shape;
  TSquare square;
  square.Side = 7;
  shape.Assign(&square);
  EXPECT_EQ(shape.Size, 7);
}

TEST(ObjectTest, AssignWithoutAWayRaisesConvertErrorNamingBothClasses) {
  TShape shape;
  TSquare square;
  try {
    square.Assign(&shape);
    FAIL() << "no exception";
  } catch (const cl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TShape to a TSquare");
  }
  try {
    shape.Assign(nullptr);
    FAIL() << "no exception";
  } catch (const cl::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TShape");
  }
}

TEST(ObjectTest, NewFreesTheObjectWhenAfterConstructionFails) {
  int destroyed = 0;
  EXPECT_THROW(cl::New<TFailsToStart>(&destroyed), cl::EInvalidOperation);
  EXPECT_EQ(destroyed, 1);
}

TEST(ObjectTest, WeakReferenceReadsNullOnceFreeBegins) {
  TShape* shape = cl::New<TShape>();
  cl::Weak<TShape> weak(shape);
  cl::Weak<TShape> copy = weak;
  EXPECT_EQ(weak.get(), shape);
  cl::FreeAndNil(shape);
  EXPECT_EQ(shape, nullptr);
  EXPECT_EQ(weak.get(), nullptr);
  EXPECT_FALSE(copy);
  EXPECT_EQ(cl::Weak<TShape>().get(), nullptr);
  cl::Free<TShape>(nullptr);
}

}  // namespace
