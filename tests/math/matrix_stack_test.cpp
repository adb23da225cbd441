#include "math_testing.h"

#include <type_traits>

static_assert(!std::is_copy_constructible_v<cMatrixStack> && !std::is_copy_assignable_v<cMatrixStack>);

TEST(MatrixStack, LastInFirstOutAndClear)
{
    cMatrixStack stack;
    cMatrix m = MatrixScaling(1.0f);
    stack.push(m);
    m = MatrixScaling(2.0f);  // the stack holds a copy
    stack.push(m);
    stack.push(MatrixScaling(3.0f));
    EXPECT_EQ(stack.top().m[0], 3.0f);
    EXPECT_EQ(stack.pop().m[0], 3.0f);
    EXPECT_EQ(stack.pop().m[0], 2.0f);
    EXPECT_EQ(stack.top().m[0], 1.0f);
    stack.clear();
    stack.push(MatrixScaling(5.0f));
    stack.push(MatrixScaling(4.0f));  // left for the destructor to free
    EXPECT_EQ(stack.top().m[0], 4.0f);
}
