package hosting;

import java.io.FileDescriptor;
import java.io.FileOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;

// The application the hosting tests run. The first argument chooses what it does; what it
// reports goes to the process's standard output as UTF-8, one item a line in <>, so that a
// test sees exact text whatever the platform's default character set.
public final class Probe {
  private static final PrintStream report =
      new PrintStream(new FileOutputStream(FileDescriptor.out), true, StandardCharsets.UTF_8);

  public static void main(String[] args) throws Exception {
    String mode = args.length > 0 ? args[0] : "args";
    switch (mode) {
      case "args":
        for (String arg : args) {
          report.println("<" + arg + ">");
        }
        break;
      case "property":
        report.println("<" + System.getProperty(args[1]) + ">");
        break;
      case "environment":
        for (int i = 1; i < args.length; ++i) {
          report.println("<" + System.getenv(args[i]) + ">");
        }
        break;
      case "memory":
        report.println("<" + Runtime.getRuntime().maxMemory() + ">");
        break;
      case "exit":
        System.exit(Integer.parseInt(args[1]));
        break;
      case "throw":
        throw new IllegalStateException("boom \u00fc\u20ac\ud83d\ude00");
      case "streams":
        System.out.println("to out");
        System.err.println("to err");
        break;
      case "exit-later":
        // A daemon thread that ends the VM after main has returned.
        Thread exiter = new Thread(() -> {
          try {
            Thread.sleep(300);
          } catch (InterruptedException e) {
            // end now
          }
          System.exit(Integer.parseInt(args[1]));
        });
        exiter.setDaemon(true);
        exiter.start();
        break;
      case "throw-exit-later":
        // A thread that goes on after main has thrown, and ends the VM with its own code.
        new Thread(() -> {
          try {
            Thread.sleep(300);
          } catch (InterruptedException e) {
            // end now
          }
          System.exit(Integer.parseInt(args[1]));
        }).start();
        throw new IllegalStateException("boom");
      default:
        report.println("<unknown mode " + mode + ">");
    }
  }
}
