/**
 * The application every way of starting is timed with: one line out, then a normal end. Given
 * "--home" it prints the Java home of the runtime that runs it instead, which is how the benchmark
 * learns (and checks) the runtime the launcher picked.
 */
public class Hello {
  public static void main(String[] args) {
    if (args.length > 0 && args[0].equals("--home")) {
      System.out.println(System.getProperty("java.home"));
    } else {
      System.out.println("Hello, world");
    }
  }
}
