package example.hello;

import example.greeting.Greeter;
import java.io.FileOutputStream;
import java.io.FileDescriptor;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

/**
 * The example application: reports what the launcher handed it (arguments, runtime, environment,
 * class path, heap limit) and ends normally, so the process exits with 0.
 */
public final class Main {
  private Main() {}

  public static void main(String[] args) {
    // Written as UTF-8 whatever the locale says, so that non-ASCII arguments reach a UTF-8
    // terminal intact; the \\u escapes printed beside them show the exact text either way.
    PrintStream out =
        new PrintStream(new FileOutputStream(FileDescriptor.out), true, StandardCharsets.UTF_8);

    out.println(Greeter.greet(System.getProperty("user.name", "user")));
    out.println("Java version:   " + System.getProperty("java.version") + " ("
        + System.getProperty("java.vm.name") + ", " + System.getProperty("java.vendor") + ")");
    out.println("java.home:      " + System.getProperty("java.home"));
    out.println("ZL_JVM_HOME:    " + describe(System.getenv("ZL_JVM_HOME")));
    out.println("ZL_JVM_PATH:    " + describe(System.getenv("ZL_JVM_PATH")));
    out.println("example.origin: " + describe(System.getProperty("example.origin")));
    out.println("Max heap:       " + Runtime.getRuntime().maxMemory() / (1024 * 1024) + " MiB");
    out.println("Class path:");
    String separator = System.getProperty("path.separator");
    for (String entry : System.getProperty("java.class.path").split(separator)) {
      if (!entry.isEmpty()) {
        out.println("  " + entry);
      }
    }
    out.println("Arguments (" + args.length + "):");
    for (int i = 0; i < args.length; i++) {
      out.println("  [" + i + "] \"" + args[i] + "\"" + escapedIfNeeded(args[i]));
    }
    out.flush();
  }

  private static String describe(String value) {
    return value == null ? "(not set)" : value;
  }

  /** " = \"...\\u00fc...\"" for text with non-ASCII characters, otherwise nothing. */
  private static String escapedIfNeeded(String text) {
    StringBuilder escaped = new StringBuilder();
    boolean needed = false;
    for (int i = 0; i < text.length(); i++) {
      char c = text.charAt(i);
      if (c < 0x20 || c > 0x7e) {
        escaped.append(String.format("\\u%04x", (int) c));
        needed = true;
      } else {
        escaped.append(c);
      }
    }
    return needed ? "  = \"" + escaped + "\"" : "";
  }
}
